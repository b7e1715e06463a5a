#include "selfremove.h"
#include <stdio.h>
#include <stdlib.h>
#include "framework.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include "engine/reboot.h"
#include "engine/settings.h"
#include "engine/replay.h"
#include "engine/runrecord.h"
#include "resource.h"
#include "engine/helpers.h"
#include "uninstall/uninstall.h"

// How long the removal copy waits for the uninstaller it ended to be gone.
#define STARTER_END_WAIT_MS 10000

// Copies this program to the temporary file and starts the copy as the removal run, in the
// temporary folder, so that it does not hold the installation folder as its current folder. The
// copy is handed a handle to this process, not its id, which another process could take over.
static HANDLE StartRemovalCopy(const char* tempDir, const char* tempFile)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !CopyFileA(self, tempFile, FALSE)) return nullptr;
    HANDLE starter;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &starter,
                         PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
        return nullptr;

    // The paths in double quotes: they may hold blanks. The copy appends to the same run log.
    const char* log = GetRunLogPath();
    char line[4 * MAX_PATH + 64];
    _snprintf(line, sizeof line, "\"%s\" -delself \"%s\"%s " STARTER_SWITCH " %lu%s%s%s", tempFile, self,
              g_bSilent ? " -s" : "", (unsigned long)(ULONG_PTR)starter, log[0] ? " -log \"" : "", log,
              log[0] ? "\"" : "");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(tempFile, line, nullptr, nullptr, TRUE, 0, nullptr, tempDir, &startup, &process);
    CloseHandle(starter);
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

HANDLE StartSelfRemoval()
{
    char tempDir[MAX_PATH];
    char tempFile[MAX_PATH];
    HANDLE copy = nullptr;
    DWORD n = GetTempPathA(MAX_PATH, tempDir);
    if (n > 0 && n < MAX_PATH && GetTempFileNameA(tempDir, REMOVAL_COPY_PREFIX, 0, tempFile)) {
        copy = StartRemovalCopy(tempDir, tempFile);
        // GetTempFileName has made the file: it goes again when no copy took over from it.
        if (!copy) DeleteFileA(tempFile);
    }
    if (!copy) RecordFailure("start the removal copy", UNINSTALLER_NAME, GetLastError());
    return copy;
}

void WaitForRemovalCopy(HANDLE copy)
{
    WaitForSingleObject(copy, INFINITE);
    DWORD code = EXIT_FAILED;
    GetExitCodeProcess(copy, &code);
    CloseHandle(copy);
    LogRunLine("the removal copy ended by itself, exit code %lu", code);
    RecordExitCode(code == EXIT_DONE ? EXIT_FAILED : (int)code);
}

// The first lines of a list, and "..." when there are more.
static CString FirstLines(const CString& list, int count)
{
    int end = 0;
    for (int i = 0; i < count; i++) {
        int next = list.Find('\n', end);
        if (next < 0) return list;
        end = next + 1;
    }
    return end < list.GetLength() ? list.Left(end) + "..." : list;
}

// Message 20 only when everything is gone; otherwise what is left, and what of it goes at the
// next start of Windows.
static void ReportRemoval()
{
    if (CountRunFailures() == 0 && !IsRestartPending()) {
        AppMessageBox(IDS_UNINSTALLED, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString text = LoadResString(IDS_UNINSTALL_INCOMPLETE);
    if (CountRunFailures() > 0) text += "\n\n" + LoadResString(IDS_LEFT_BEHIND) + "\n" + FirstLines(GetFailedList(), 12);
    if (IsRestartPending()) text += "\n\n" + LoadResString(IDS_GOES_AT_RESTART) + "\n" + FirstLines(GetRestartPendingList(), 12);
    AppMessageBox(text, MB_OK | MB_ICONWARNING);
}

// Ends the uninstaller that started this copy with the outcome as its exit code, and waits until
// it is gone, so that its file can be deleted. Only the process handed down is ended, and only
// when it runs the uninstaller this copy removes.
static void EndStarter(const char* starterHandle, const char* uninstallerPath, int code)
{
    ULONG_PTR value = 0;
    for (const char* digit = starterHandle; *digit >= '0' && *digit <= '9'; digit++) value = value * 10 + (*digit - '0');
    HANDLE starter = (HANDLE)value;
    char image[MAX_PATH];
    DWORD size = sizeof image;
    if (!QueryFullProcessImageNameA(starter, 0, image, &size) || !IsSameFile(image, uninstallerPath)) {
        LogRunLine("the uninstaller cannot be reached");
        return;
    }
    TerminateProcess(starter, code);
    WaitForSingleObject(starter, STARTER_END_WAIT_MS);
    CloseHandle(starter);
    LogRunLine("the uninstaller ended with exit code %d", code);
}

void RunRemoval(const char* uninstallerPath, const char* starterHandle)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n > 0 && n < MAX_PATH) DeleteOnReboot(self);

    // Everything but the uninstaller, which runs until it is ended, and its folder.
    CString installFolder = GetFolderOfFile(uninstallerPath);
    if (starterHandle) SpareFromDeletion(uninstallerPath);
    RunUninstall(installFolder);
    SpareFromDeletion(nullptr);
    if (starterHandle) EndStarter(starterHandle, uninstallerPath, GetRunExitCode());
    DeleteFileOrSchedule(uninstallerPath);
    RemoveInstallFolder(installFolder);

    if (!g_bSilent) ReportRemoval();
}
