#include "closecopies.h"
#include "instance/findwindow.h"

// wParam of the close request: tells the application that the setup program asks it to close.
#define CLOSE_BY_SETUP 1001

static void CloseCopy(DWORD processId)
{
    HWND window = FindAppWindow(processId);
    if (window) PostMessageA(window, WM_CLOSE, CLOSE_BY_SETUP, 0);
    Sleep(10);
    // Terminated whether or not it reacted; a process that has already gone cannot be opened.
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (!process) return;
    TerminateProcess(process, 0);
    CloseHandle(process);
}

void CloseOtherCopies(CInstanceManager& instances)
{
    CDWordArray ids;
    if (!instances.GetInstanceIds(ids)) return;
    DWORD self = GetCurrentProcessId();
    for (int i = 0; i < ids.GetSize(); ++i)
        if (ids[i] != self) CloseCopy(ids[i]);
}
