#include "wizardrobot.h"

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

struct QuestionSearch {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK TestQuestion(HWND window, LPARAM param)
{
    QuestionSearch* search = (QuestionSearch*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window) || WindowClass(window) != DIALOG_CLASS) return TRUE;
    if (ControlText(window, MESSAGE_BOX_TEXT_ID).empty()) return TRUE;
    search->found = window;
    return FALSE;
}

MessageBoxView WaitForQuestion(DWORD processId, DWORD timeoutMs)
{
    QuestionSearch search = { processId, nullptr };
    WaitUntil([&] {
        EnumWindows(TestQuestion, (LPARAM)&search);
        return search.found != nullptr;
    }, timeoutMs);
    return search.found ? ReadMessageBox(search.found) : MessageBoxView();
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
