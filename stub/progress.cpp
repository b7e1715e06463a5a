#include "progress.h"
#include "stubres.h"
#include "userinterface.h"

// Made of the system's own classes: a dialog frame, a text, a black frame and the black bar that
// grows inside it, so nothing needs painting here. The sizes are for 96 DPI; the program is
// DPI-aware, so they grow with the system's small icons, which Windows sizes for its DPI.
#define DIALOG_CLASS L"#32770"
#define WIDTH 360
#define HEIGHT 104
#define MARGIN 16
#define LINE 18
#define SCALED(size) ((size) * window.unit / 16)

void ShowProgressWindow(ProgressWindow& window)
{
    window.frame = nullptr;
    window.percent = 0;
    const UserInterface* ui = LoadUserInterface();
    if (!ui) return;
    window.unit = ui->GetSystemMetrics(SM_CYSMICON);
    if (window.unit < 16) window.unit = 16;
    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t caption[128], text[128];
    ui->LoadStringW(module, IDS_STUB_CAPTION, caption, 128);
    ui->LoadStringW(module, IDS_STUB_UNPACKING, text, 128);
    window.frame = ui->CreateWindowExW(WS_EX_DLGMODALFRAME, DIALOG_CLASS, caption, WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                       (ui->GetSystemMetrics(SM_CXSCREEN) - SCALED(WIDTH)) / 2,
                                       (ui->GetSystemMetrics(SM_CYSCREEN) - SCALED(HEIGHT)) / 2, SCALED(WIDTH),
                                       SCALED(HEIGHT), nullptr, nullptr, module, nullptr);
    if (!window.frame) return;
    HWND label = ui->CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, SCALED(MARGIN), SCALED(MARGIN),
                                     SCALED(WIDTH - 3 * MARGIN), SCALED(LINE), window.frame, nullptr, module, nullptr);
    ui->SendMessageW(label, WM_SETFONT, (WPARAM)ui->GetStockObject(DEFAULT_GUI_FONT), FALSE);
    ui->CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, SCALED(MARGIN),
                        SCALED(2 * MARGIN + LINE), SCALED(WIDTH - 3 * MARGIN), SCALED(LINE), window.frame, nullptr,
                        module, nullptr);
    window.bar = ui->CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, SCALED(MARGIN + 2),
                                     SCALED(2 * MARGIN + LINE + 2), 0, SCALED(LINE - 4), window.frame, nullptr, module,
                                     nullptr);
    UpdateProgressWindow(window, 0);
}

void UpdateProgressWindow(ProgressWindow& window, unsigned percent)
{
    const UserInterface* ui = LoadUserInterface();
    if (percent != window.percent) {
        window.percent = percent;
        ui->MoveWindow(window.bar, SCALED(MARGIN + 2), SCALED(2 * MARGIN + LINE + 2),
                       SCALED(WIDTH - 3 * MARGIN - 4) * percent / 100, SCALED(LINE - 4), TRUE);
    }
    MSG message;
    while (ui->PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ui->DispatchMessageW(&message);
}

void CloseProgressWindow(ProgressWindow& window)
{
    if (window.frame) LoadUserInterface()->DestroyWindow(window.frame);
    window.frame = nullptr;
}
