#include "progress.h"
#include "stubres.h"
#include "userinterface.h"

// Made of the system's own classes: a dialog frame, a text, a black frame and the black bar that
// grows inside it, so nothing needs painting here.
#define DIALOG_CLASS L"#32770"
#define WIDTH 360
#define HEIGHT 104
#define MARGIN 16
#define LINE 18

void ShowProgressWindow(ProgressWindow& window)
{
    window.frame = nullptr;
    window.percent = 0;
    const UserInterface* ui = LoadUserInterface();
    if (!ui) return;
    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t caption[128], text[128];
    ui->LoadStringW(module, IDS_STUB_CAPTION, caption, 128);
    ui->LoadStringW(module, IDS_STUB_UNPACKING, text, 128);
    window.frame = ui->CreateWindowExW(WS_EX_DLGMODALFRAME, DIALOG_CLASS, caption, WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                       (ui->GetSystemMetrics(SM_CXSCREEN) - WIDTH) / 2,
                                       (ui->GetSystemMetrics(SM_CYSCREEN) - HEIGHT) / 2, WIDTH, HEIGHT, nullptr,
                                       nullptr, module, nullptr);
    if (!window.frame) return;
    HWND label = ui->CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, MARGIN, MARGIN,
                                     WIDTH - 3 * MARGIN, LINE, window.frame, nullptr, module, nullptr);
    ui->SendMessageW(label, WM_SETFONT, (WPARAM)ui->GetStockObject(DEFAULT_GUI_FONT), FALSE);
    ui->CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, MARGIN, 2 * MARGIN + LINE,
                        WIDTH - 3 * MARGIN, LINE, window.frame, nullptr, module, nullptr);
    window.bar = ui->CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, MARGIN + 2,
                                     2 * MARGIN + LINE + 2, 0, LINE - 4, window.frame, nullptr, module, nullptr);
    UpdateProgressWindow(window, 0);
}

void UpdateProgressWindow(ProgressWindow& window, unsigned percent)
{
    const UserInterface* ui = LoadUserInterface();
    if (percent != window.percent) {
        window.percent = percent;
        ui->MoveWindow(window.bar, MARGIN + 2, 2 * MARGIN + LINE + 2, (WIDTH - 3 * MARGIN - 4) * percent / 100,
                       LINE - 4, TRUE);
    }
    MSG message;
    while (ui->PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ui->DispatchMessageW(&message);
}

void CloseProgressWindow(ProgressWindow& window)
{
    if (window.frame) LoadUserInterface()->DestroyWindow(window.frame);
    window.frame = nullptr;
}
