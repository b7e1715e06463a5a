#include "robot.h"
#include "processwindow.h"

const char* const DIALOG_CLASS = "#32770";

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0], n, nullptr, nullptr);
    return utf8;
}

std::string WindowText(HWND window)
{
    // WM_GETTEXT across processes is answered by the owner thread, so it is bounded by a time-out.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return std::string();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, (LPARAM)&text[0], SMTO_ABORTIFHUNG, 2000, &copied))
        return std::string();
    text.resize(copied);
    return Narrow(text);
}

std::string WindowClass(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return Narrow(name);
}

static bool Matches(HWND window, const WindowQuery& query)
{
    if (query.processId) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != query.processId) return false;
    }
    if (!query.className.empty() && WindowClass(window) != query.className) return false;
    if (!query.caption.empty() && WindowText(window) != query.caption) return false;
    return true;
}

HWND FindTopWindow(const WindowQuery& query)
{
    return FindTopLevelWindow([&](HWND window) { return IsWindowVisible(window) && Matches(window, query); });
}

HWND WaitForTopWindow(const WindowQuery& query, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindTopWindow(query);
        if (found || GetTickCount() - start >= timeoutMs) return found;
        Sleep(20);
    }
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

static BOOL CALLBACK CollectTopWindow(HWND window, LPARAM lParam)
{
    ProcessWindows* list = (ProcessWindows*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == list->processId) list->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> TopWindowsOfProcess(DWORD processId)
{
    ProcessWindows list = { processId, {} };
    EnumWindows(CollectTopWindow, (LPARAM)&list);
    return list.windows;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

std::string ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::string();
}

bool IsControlEnabled(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowEnabled(control);
}

bool IsControlVisible(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control);
}

int ControlCheckState(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    DWORD_PTR state = 0;
    if (!control || !SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state)) return -1;
    return (int)state;
}

int DefaultButtonId(HWND dialog)
{
    // The push button drawn as the default one; the dialog's own record (DM_GETDEFID) is not
    // always kept up to date by the system's message box.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowClass(child) == "Button" && (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return GetDlgCtrlID(child);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) return 0;
    return HIWORD(result) == DC_HASDEFID ? LOWORD(result) : 0;
}

std::vector<int> ButtonIds(HWND dialog)
{
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowClass(child) != "Button") continue;
        LONG style = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON) ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
}

bool ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

bool PressButtonById(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

MessageBoxView ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.window = box;
    view.caption = WindowText(box);
    view.text = ControlText(box, MESSAGE_BOX_TEXT_ID);
    view.buttons = ButtonIds(box);
    view.defaultButton = DefaultButtonId(box);
    return view;
}

MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    WindowQuery query;
    query.className = DIALOG_CLASS;
    query.processId = processId;
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = FindTopWindow(query);
        if (box && GetDlgItem(box, MESSAGE_BOX_TEXT_ID)) return ReadMessageBox(box);
        if (GetTickCount() - start >= timeoutMs) return MessageBoxView();
        Sleep(20);
    }
}

bool AnswerMessageBox(const MessageBoxView& box, int buttonId, DWORD timeoutMs)
{
    return box.window && ClickButton(box.window, buttonId) && WaitForWindowGone(box.window, timeoutMs);
}
