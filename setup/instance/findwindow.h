// Finding the application's main window in a process.
#pragma once
#include <windows.h>

// The first unowned, non-tool top-level window of the process whose title begins with "Glimra".
HWND FindAppWindow(DWORD processId);
