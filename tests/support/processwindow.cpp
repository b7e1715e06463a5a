#include "processwindow.h"

struct WindowSearch {
    const std::function<bool(HWND)>* accept;
    HWND found;
};

static BOOL CALLBACK TestWindow(HWND window, LPARAM param)
{
    WindowSearch* search = (WindowSearch*)param;
    if (!(*search->accept)(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevelWindow(const std::function<bool(HWND)>& accept)
{
    WindowSearch search = { &accept, nullptr };
    EnumWindows(TestWindow, (LPARAM)&search);
    return search.found;
}

HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& accept)
{
    return FindTopLevelWindow([&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == processId && accept(window);
    });
}
