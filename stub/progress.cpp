#include "progress.h"
#include "stubres.h"

#define CLASS_NAME L"GlmStubProgress"
#define WIDTH 360
#define HEIGHT 120
#define MARGIN 16
#define BAR_HEIGHT 18

static LRESULT CALLBACK HandleProgressMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    wchar_t text[128];
    LoadStringW(GetModuleHandleW(nullptr), IDS_STUB_UNPACKING, text, 128);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT line = { MARGIN, MARGIN, area.right - MARGIN, MARGIN + BAR_HEIGHT };
    DrawTextW(dc, text, -1, &line, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
    RECT bar = { MARGIN, 2 * MARGIN + BAR_HEIGHT, area.right - MARGIN, 2 * MARGIN + 2 * BAR_HEIGHT };
    FrameRect(dc, &bar, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&bar, -2, -2);
    bar.right = bar.left + (bar.right - bar.left) * (int)GetWindowLongPtrW(window, GWLP_USERDATA) / 100;
    FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
    EndPaint(window, &paint);
    return 0;
}

HWND ShowProgressWindow()
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HandleProgressMessage;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconW(module, MAKEINTRESOURCEW(IDI_STUB));
    windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_WAIT);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassW(&windowClass);
    wchar_t caption[128];
    LoadStringW(module, IDS_STUB_CAPTION, caption, 128);
    HWND window = CreateWindowExW(0, CLASS_NAME, caption, WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                  (GetSystemMetrics(SM_CXSCREEN) - WIDTH) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - HEIGHT) / 2, WIDTH, HEIGHT, nullptr, nullptr,
                                  module, nullptr);
    if (window) UpdateWindow(window);
    return window;
}

void UpdateProgressWindow(HWND window, unsigned percent)
{
    if ((unsigned)GetWindowLongPtrW(window, GWLP_USERDATA) != percent) {
        SetWindowLongPtrW(window, GWLP_USERDATA, percent);
        InvalidateRect(window, nullptr, TRUE);
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
