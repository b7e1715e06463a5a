#include "findwindow.h"
#include <string.h>

struct WindowSearch {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK TestWindow(HWND hwnd, LPARAM lParam)
{
    WindowSearch* search = (WindowSearch*)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId) return TRUE;
    if (GetWindow(hwnd, GW_OWNER)) return TRUE;
    if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return TRUE;
    char title[512];
    title[0] = 0;
    GetWindowTextA(hwnd, title, sizeof(title));
    // Helper windows of the platform's DDE and OLE support.
    if (!strcmp(title, "DDE Server Window") || !strcmp(title, "OleMainThreadWndName")) return TRUE;
    if (strncmp(title, "Glimra", 6) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindAppWindow(DWORD processId)
{
    WindowSearch search = { processId, nullptr };
    EnumWindows(TestWindow, (LPARAM)&search);
    return search.found;
}
