// A small UI robot for the wizard tests: finds dialogs of a process, reads their controls and
// presses their buttons. Every wait is bounded.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Polls the condition every 20 ms until it holds or timeoutMs passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A visible top-level window of the process with that class (null: any) and caption (null: any);
// null when there is none after timeoutMs.
HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);

// A visible message box of the process (a dialog with the static 0xFFFF); null after timeoutMs.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
std::string MessageBoxText(HWND box);
// Presses a message box button (IDOK, IDYES, IDNO) and waits until the box is gone.
bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs);

std::string WindowText(HWND window);
// The control of that id in the window or in one of its child dialogs (the wizard's pages);
// visible controls first, since ids repeat between pages.
HWND FindControl(HWND window, int id);
std::string ControlText(HWND window, int id);
bool ControlVisible(HWND window, int id);
bool ControlEnabled(HWND window, int id);
int ControlCheck(HWND window, int id);

// Presses the button as a user would: nothing happens when it is missing, hidden or disabled
// (then false). Asynchronous, since the press may open a modal box.
bool ClickButton(HWND window, int id);
// Sets a check box's state and tells its dialog, as a click would.
void SetCheck(HWND window, int id, bool checked);
// Types the text into the control (its window text) and tells its dialog the edit changed.
void SetControlText(HWND window, int id, const std::string& text);

bool WaitForControlText(HWND window, int id, const std::string& expected, DWORD timeoutMs);
bool WaitForCaption(HWND window, const std::string& expected, DWORD timeoutMs);
