#include "selfremove.h"
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

// A command-line argument, in double quotes when it holds a blank or a tab.
static CString QuoteArgument(const char* argument)
{
    CString text(argument);
    if (text.Find(' ') >= 0 || text.Find('\t') >= 0) return CString("\"") + text + "\"";
    return text;
}

// Copies this program to the temporary file and starts the copy as the removal run. FALSE when
// the copy or its start failed; after a start this process ends at once and never returns.
static BOOL StartRemovalCopy(const char* tempFile)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !CopyFileA(self, tempFile, FALSE)) return FALSE;

    CString commandLine = QuoteArgument(tempFile) + " -delself " + QuoteArgument(self);
    if (g_bSilent) commandLine += " -s";
    // The copy appends to the same run log.
    if (GetRunLogPath()[0]) commandLine += CString(" -log ") + QuoteArgument(GetRunLogPath());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    char* line = commandLine.GetBuffer(commandLine.GetLength());
    if (!CreateProcessA(tempFile, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return FALSE;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The copy takes over: this process ends at once, without the normal shutdown.
    TerminateProcess(GetCurrentProcess(), 0);
    return TRUE;
}

void StartSelfRemoval()
{
    char tempDir[MAX_PATH];
    char tempFile[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, tempDir);
    if (n == 0 || n >= MAX_PATH) return;
    if (!GetTempFileNameA(tempDir, REMOVAL_COPY_PREFIX, 0, tempFile)) return;
    // GetTempFileName has made the file: it goes again when no copy takes over from it.
    if (!StartRemovalCopy(tempFile)) DeleteFileA(tempFile);
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

void RunRemoval(const char* uninstallerPath)
{
    // The uninstaller that started this copy must have ended, so its file is free.
    Sleep(1000);

    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (n > 0 && n < MAX_PATH) DeleteOnReboot(self);

    CString installFolder = GetFolderOfFile(uninstallerPath);
    DeleteFileOrSchedule(uninstallerPath);
    RunUninstall(installFolder);

    if (!g_bSilent) ReportRemoval();
    int code = GetRunExitCode();
    LogRunLine("exit code %d", code);
    exit(code);
}
