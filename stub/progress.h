// The small window that shows how far unpacking has come, for runs that take a while.
#pragma once
#include <windows.h>

// Shows the window (the setup's caption, "unpacking", a bar); null when it cannot be made.
HWND ShowProgressWindow();
// Sets the bar to the percentage and handles the window's messages that are waiting.
void UpdateProgressWindow(HWND window, unsigned percent);
