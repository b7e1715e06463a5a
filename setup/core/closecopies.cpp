#include "closecopies.h"
#include "instance/findwindow.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include <ctype.h>
#include <string.h>

// wParam of the close request: tells the application that the setup program asks it to close.
#define CLOSE_BY_SETUP 1001
// How long a copy may take to save and end after the close request before it is terminated.
#define CLOSE_WAIT_MS 3000

// The uninstaller's temporary copy: "uni" + hexadecimal digits + ".tmp", as GetTempFileName names it.
static BOOL IsTemporaryCopyName(const char* exeName)
{
    size_t length = strlen(exeName);
    if (length < 8 || _strnicmp(exeName, REMOVAL_COPY_PREFIX, sizeof(REMOVAL_COPY_PREFIX) - 1) != 0 || !EqualNoCaseAscii(exeName + length - 4, ".tmp"))
        return FALSE;
    for (size_t i = 3; i < length - 4; ++i)
        if (!isxdigit((unsigned char)exeName[i])) return FALSE;
    return TRUE;
}

// Whether the image file name of the process is one of ours: the application's, or one a copy of
// this setup program runs under (the installer's, the uninstaller's, its temporary copy's, or
// this process's own). Process ids are reused, and any program can write ids into the shared
// list: a listed id alone proves nothing.
static BOOL IsOurImageName(const char* exeName)
{
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const char* backslash = strrchr(self, '\\');
    const char* selfName = backslash ? backslash + 1 : self;
    return EqualNoCaseAscii(exeName, APP_EXE_NAME) || EqualNoCaseAscii(exeName, SETUP_EXE_NAME) ||
           EqualNoCaseAscii(exeName, UNINSTALLER_NAME) || EqualNoCaseAscii(exeName, selfName) ||
           IsTemporaryCopyName(exeName);
}

// Whether the process runs an image of ours, by the image's file name.
static BOOL IsOurProcess(HANDLE process)
{
    char image[MAX_PATH];
    DWORD size = sizeof image;
    if (!QueryFullProcessImageNameA(process, 0, image, &size)) return FALSE;
    const char* backslash = strrchr(image, '\\');
    return IsOurImageName(backslash ? backslash + 1 : image);
}

// Asks a listed copy to close, gives it time to end, and terminates it only when it is still
// there. The image name is read through the process's handle: while it is open, the id cannot
// pass to another process. The entry of a copy that is gone, or whose id now belongs to
// another program, is dropped from the list; one that cannot be opened (no such right) is kept.
static void CloseCopy(CInstanceManager& instances, DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process && GetLastError() == ERROR_ACCESS_DENIED) return;
    if (process && IsOurProcess(process)) {
        HWND window = FindAppWindow(processId);
        if (window) PostMessageA(window, WM_CLOSE, CLOSE_BY_SETUP, 0);
        if (WaitForSingleObject(process, CLOSE_WAIT_MS) == WAIT_TIMEOUT) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, CLOSE_WAIT_MS);
        }
    }
    if (process) CloseHandle(process);
    instances.RemoveInstance(processId);
}

void CloseOtherCopies(CInstanceManager& instances)
{
    CDWordArray ids;
    if (!instances.GetInstanceIds(ids)) return;
    DWORD self = GetCurrentProcessId();
    for (int i = 0; i < ids.GetSize(); ++i)
        if (ids[i] != self) CloseCopy(instances, ids[i]);
}
