#include "winrobot.h"
#include <vector>

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(20);
    }
}

std::string WindowText(HWND window)
{
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

static std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

struct WindowQuery {
    DWORD processId;
    const char* className;
    const char* caption;
    bool messageBox;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    WindowQuery* query = (WindowQuery*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (query->processId && pid != query->processId) return TRUE;
    if (!IsWindowVisible(window)) return TRUE;
    if (query->className && ClassName(window) != query->className) return TRUE;
    if (query->caption && WindowText(window) != query->caption) return TRUE;
    if (query->messageBox && !GetDlgItem(window, 0xFFFF)) return TRUE;
    query->found = window;
    return FALSE;
}

static HWND WaitForQuery(WindowQuery query, DWORD timeoutMs)
{
    WaitUntil([&] {
        query.found = nullptr;
        EnumWindows(MatchWindow, (LPARAM)&query);
        return query.found != nullptr;
    }, timeoutMs);
    return query.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs)
{
    return WaitForQuery({ processId, className, caption, false, nullptr }, timeoutMs);
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    return WaitForQuery({ processId, "#32770", nullptr, true, nullptr }, timeoutMs);
}

std::string MessageBoxText(HWND box)
{
    return WindowText(GetDlgItem(box, 0xFFFF));
}

bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs)
{
    if (!ClickButton(box, buttonId)) return false;
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
}

struct ControlQuery {
    int id;
    HWND visible;
    HWND any;
};

static BOOL CALLBACK MatchControl(HWND child, LPARAM param)
{
    ControlQuery* query = (ControlQuery*)param;
    if (GetDlgCtrlID(child) != query->id) return TRUE;
    // Only the frame's own controls and those of its pages, not the pages themselves.
    if (ClassName(child) == "#32770") return TRUE;
    if (!query->any) query->any = child;
    if (!query->visible && IsWindowVisible(child)) query->visible = child;
    return TRUE;
}

HWND FindControl(HWND window, int id)
{
    HWND direct = GetDlgItem(window, id);
    if (direct && IsWindowVisible(direct) && ClassName(direct) != "#32770") return direct;
    ControlQuery query = { id, nullptr, nullptr };
    EnumChildWindows(window, MatchControl, (LPARAM)&query);
    return query.visible ? query.visible : query.any;
}

std::string ControlText(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? WindowText(control) : std::string("<no control>");
}

bool ControlVisible(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control && IsWindowVisible(control);
}

bool ControlEnabled(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control && IsWindowEnabled(control);
}

int ControlCheck(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? (int)SendMessageA(control, BM_GETCHECK, 0, 0) : -1;
}

bool ClickButton(HWND window, int id)
{
    HWND button = FindControl(window, id);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    return true;
}

void SetCheck(HWND window, int id, bool checked)
{
    HWND button = FindControl(window, id);
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetControlText(HWND window, int id, const std::string& text)
{
    HWND control = FindControl(window, id);
    SendMessageA(control, WM_SETTEXT, 0, (LPARAM)text.c_str());
}

bool WaitForControlText(HWND window, int id, const std::string& expected, DWORD timeoutMs)
{
    return WaitUntil([&] { return ControlText(window, id) == expected; }, timeoutMs);
}

bool WaitForCaption(HWND window, const std::string& expected, DWORD timeoutMs)
{
    return WaitUntil([&] { return WindowText(window) == expected; }, timeoutMs);
}
