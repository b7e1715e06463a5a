// Finding a top-level window of another process: the one search the tests, the robot and the
// bench tool share. (The setup program keeps its own, FindAppWindow, with the product's rules.)
#pragma once
#include <windows.h>
#include <functional>

// The first top-level window, in the system's order, that accept takes; null when there is none.
HWND FindTopLevelWindow(const std::function<bool(HWND)>& accept);
// The same among the top-level windows of one process.
HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& accept);
