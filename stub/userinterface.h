// The user interface's libraries, loaded only when the stub shows something: a run that shows
// nothing starts without them, which Wine makes about 30 ms faster. They are loaded by their full
// path in the system folder.
#pragma once
#include <windows.h>

struct UserInterface {
    int(WINAPI* LoadStringW)(HINSTANCE, UINT, LPWSTR, int);
    int(WINAPI* MessageBoxW)(HWND, LPCWSTR, LPCWSTR, UINT);
    HWND(WINAPI* CreateWindowExW)(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
    BOOL(WINAPI* MoveWindow)(HWND, int, int, int, int, BOOL);
    BOOL(WINAPI* DestroyWindow)(HWND);
    BOOL(WINAPI* PeekMessageW)(LPMSG, HWND, UINT, UINT, UINT);
    LRESULT(WINAPI* DispatchMessageW)(const MSG*);
    LRESULT(WINAPI* SendMessageW)(HWND, UINT, WPARAM, LPARAM);
    int(WINAPI* GetSystemMetrics)(int);
    HGDIOBJ(WINAPI* GetStockObject)(int);
};

// The libraries' functions; null when one of them cannot be loaded.
const UserInterface* LoadUserInterface();
