// What the wizard tests need beyond the UI robot: the page shown inside the frame, the focus,
// questions told apart from the frame (which has a static 0xFFFF too), guarded presses.
#pragma once
#include "robot.h"
#include <functional>

// Polls every 20 ms until the condition holds or timeoutMs passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// The wizard page now shown inside the frame, or null.
HWND ShownPage(HWND frame);
// Waits until the shown page has a visible control of that id (a control only that page has).
bool WaitForPageWith(HWND frame, int id, DWORD timeoutMs);

// The window that has the keyboard focus in the thread of the given window.
HWND FocusOf(HWND window);

// A message box of the process: a dialog whose static 0xFFFF has text.
MessageBoxView WaitForQuestion(DWORD processId, DWORD timeoutMs);

// Answers the message box by its button's command and waits until it is gone.
bool Answer(const MessageBoxView& box, int buttonId, DWORD timeoutMs);

// Presses the button as a user could: FALSE, and nothing pressed, when it is hidden or disabled.
bool Press(HWND dialog, int id);
// Sets a check box or radio button as a click would leave it.
void SetButtonCheck(HWND dialog, int id, bool checked);
