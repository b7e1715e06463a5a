// The small window that shows how far unpacking has come, for runs that take a while.
#pragma once
#include <windows.h>

struct ProgressWindow {
    HWND frame;   // null when none is shown
    HWND bar;
    unsigned percent;
    int unit;     // pixels of 1/16 of a small icon's height: 16 at 96 DPI, 24 at 144 DPI
};

// Shows the window: the setup's caption, "unpacking", a bar. frame stays null when it cannot be made.
void ShowProgressWindow(ProgressWindow& window);
// Sets the bar to the percentage and handles the window's messages that are waiting.
void UpdateProgressWindow(ProgressWindow& window, unsigned percent);
void CloseProgressWindow(ProgressWindow& window);
