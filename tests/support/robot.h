// The UI robot: finds top-level windows of other processes, reads their texts and control states,
// clicks their buttons. Texts are UTF-8 (read through the wide functions), so tests compare with
// UTF-8 literals whatever the ANSI code page. Every wait has a time limit.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// What a top-level window must match; empty or zero fields match anything.
struct WindowQuery {
    std::string caption;      // exact caption (UTF-8)
    std::string className;    // exact class name, e.g. "#32770" for dialogs and message boxes
    DWORD processId = 0;
};

// Id of the text of a message box, and the class of dialogs and message boxes.
const int MESSAGE_BOX_TEXT_ID = 0xFFFF;
extern const char* const DIALOG_CLASS;

// The first visible top-level window matching the query, or null.
HWND FindTopWindow(const WindowQuery& query);
// Waits until such a window exists; null after timeoutMs.
HWND WaitForTopWindow(const WindowQuery& query, DWORD timeoutMs);
// All top-level windows of a process (visible or not).
std::vector<HWND> TopWindowsOfProcess(DWORD processId);
// TRUE when the window is gone within timeoutMs.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
std::string ControlText(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id);
// BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE of a check box or radio button.
int ControlCheckState(HWND dialog, int id);
// The dialog's default push button id (the one drawn as default, else DM_GETDEFID), 0 when none.
int DefaultButtonId(HWND dialog);
// Ids of the dialog's push buttons, in child order.
std::vector<int> ButtonIds(HWND dialog);

// Clicks the button with BM_CLICK (posted, so a dialog that ends on the click never blocks us).
bool ClickButton(HWND dialog, int id);
// Sends the dialog the button's command (WM_COMMAND, BN_CLICKED) directly, posted.
bool PressButtonById(HWND dialog, int id);

// A message box as the robot sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons;   // IDOK, IDYES, IDNO, ...
    int defaultButton = 0;
};

// Waits for a message box (class #32770 with a text static 0xFFFF) of the process.
MessageBoxView WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// Reads a message box that is on screen.
MessageBoxView ReadMessageBox(HWND box);
// Answers it with the button and waits until it is gone; FALSE when it stays.
bool AnswerMessageBox(const MessageBoxView& box, int buttonId, DWORD timeoutMs);

// UTF-8 <-> wide, for texts read from windows and written to file names.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
