#include "wizardrobot.h"
#include "processwindow.h"

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(20);
    }
}

static BOOL CALLBACK TestPage(HWND child, LPARAM param)
{
    if (GetParent(child) == GetAncestor(child, GA_ROOT) && WindowClass(child) == DIALOG_CLASS &&
        IsWindowVisible(child)) {
        *(HWND*)param = child;
        return FALSE;
    }
    return TRUE;
}

HWND ShownPage(HWND frame)
{
    HWND page = nullptr;
    EnumChildWindows(frame, TestPage, (LPARAM)&page);
    return page;
}

bool WaitForPageWith(HWND frame, int id, DWORD timeoutMs)
{
    return WaitUntil([&] {
        HWND page = ShownPage(frame);
        return page && IsControlVisible(page, id);
    }, timeoutMs);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

static bool IsQuestion(HWND window)
{
    return IsWindowVisible(window) && WindowClass(window) == DIALOG_CLASS &&
           !ControlText(window, MESSAGE_BOX_TEXT_ID).empty();
}

MessageBoxView WaitForQuestion(DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(processId, IsQuestion)) != nullptr; }, timeoutMs);
    return found ? ReadMessageBox(found) : MessageBoxView();
}

bool Press(HWND dialog, int id)
{
    if (!IsControlVisible(dialog, id) || !IsControlEnabled(dialog, id)) return false;
    return ClickButton(dialog, id);
}

void SetButtonCheck(HWND dialog, int id, bool checked)
{
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Answer(const MessageBoxView& box, int buttonId, DWORD timeoutMs)
{
    return box.window && PressButtonById(box.window, buttonId) && WaitForWindowGone(box.window, timeoutMs);
}
