#include "selfremove.h"
#include <stdlib.h>
#include "framework.h"
#include "reboot.h"
#include "engine/settings.h"
#include "resource.h"
#include "uninstall/uninstall.h"

// A command-line argument, in double quotes when it holds a blank or a tab.
static CString QuoteArgument(const char* argument)
{
    CString text(argument);
    if (text.Find(' ') >= 0 || text.Find('\t') >= 0) return CString("\"") + text + "\"";
    return text;
}

void StartSelfRemoval()
{
    char tempDir[MAX_PATH];
    char tempFile[MAX_PATH];
    char self[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, tempDir);
    if (n == 0 || n >= MAX_PATH) return;
    if (!GetTempFileNameA(tempDir, "uni", 0, tempFile)) return;
    n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    // A failed copy shows as a copy that cannot be started.
    CopyFileA(self, tempFile, FALSE);

    CString commandLine = QuoteArgument(tempFile) + " -delself " + QuoteArgument(self);
    if (g_bSilent) commandLine += " -s";

    if (GetFileAttributesA(tempFile) == INVALID_FILE_ATTRIBUTES) return;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    char* line = commandLine.GetBuffer(commandLine.GetLength());
    if (!CreateProcessA(tempFile, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The copy takes over: this process ends at once, without the normal shutdown.
    TerminateProcess(GetCurrentProcess(), 0);
}

// The folder part of a path, ending in its separator: drive and directory joined.
static CString GetFolderWithSeparator(const char* path)
{
    CString text(path);
    int end = text.GetLength();
    while (end > 0 && text[end - 1] != '\\' && text[end - 1] != '/' && text[end - 1] != ':') --end;
    return text.Left(end);
}

void RunRemoval(const char* uninstallerPath)
{
    // The uninstaller that started this copy must have ended, so its file is free.
    Sleep(1000);

    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n > 0 && n < MAX_PATH) DeleteOnReboot(self);

    CString installFolder = GetFolderWithSeparator(uninstallerPath);
    DeleteFileA(uninstallerPath);
    RunUninstall(installFolder);

    if (!g_bSilent) AppMessageBox(IDS_UNINSTALLED, MB_OK | MB_ICONEXCLAMATION);
    exit(0);
}
