// The setup program's own code timed in-process (the uninstaller's hand-over to its temporary copy
// is two process starts, not the work, so the uninstall driver is called directly):
//   setupbench uninstall <folder>        RunUninstall on an installed folder; prints milliseconds
//   setupbench replay <folder> <count>   makes <count> files and a log naming each one (not timed),
//                                        then replays the log; prints the milliseconds of the replay
//   setupbench phases <package> <parent> the steps of a silent all-users installation into
//                                        <parent>\Glimra 5, each timed, then the uninstall's; prints
//                                        one "<phase> <milliseconds>" line per step
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "core/detect.h"
#include "instance/instance.h"
#include "engine/fileplace.h"
#include "engine/helpers.h"
#include "engine/installlog.h"
#include "engine/names.h"
#include "engine/settings.h"
#include "engine/shelllink.h"
#include "engine/replay.h"
#include "uninstall/uninstall.h"

// The program registers like the setup program does, so the uninstall sees the same world.
CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);

static LARGE_INTEGER g_start;

static void StartClock() { QueryPerformanceCounter(&g_start); }

static double ElapsedMs()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - g_start.QuadPart) * 1000.0 / frequency.QuadPart;
}

static void PrintClock() { printf("%.3f\n", ElapsedMs()); }

// Prints the time since the last phase under the phase's name and starts the next one.
static void EndPhase(const char* name)
{
    printf("%s %.3f\n", name, ElapsedMs());
    StartClock();
}

// The steps of the installation driver and the install transaction for a fresh silent
// installation, in their order and with the same calls, so that each can be timed on its own.
static void TimeInstallPhases(const char* package, const char* parent)
{
    StartClock();
    CDWordArray ids;
    g_InstanceManager.GetInstanceCount();
    g_InstanceManager.GetInstanceIds(ids);
    EndPhase("instance-list");

    g_strSourceDir = package;
    g_strInstallDir = CString(parent) + "\\" PRODUCT_FOLDER_NAME;
    CString script = g_strSourceDir + "\\" LOG_NAME;
    CString log = g_strInstallDir + "\\" LOG_NAME;
    ReadFileVersion(g_strSourceDir + "\\" APP_EXE_NAME);
    GetFileAttributesA(script);
    EndPhase("package-check");

    RunInstallScript(script);
    EndPhase("file-placement");

    CopyMatchingFiles(LOG_NAME, g_strSourceDir, g_strInstallDir);
    AppendLogLine(log, "");
    CString group = GetShellFolder(TRUE, "Common Programs") + "\\" PRODUCT_FOLDER_NAME;
    CreateDirectoryA(group, nullptr);
    AppendLogLine(log, CString(REC_MADE_DIR) + group);
    EndPhase("log");

    const char* groupLinks[] = { APP_EXE_NAME, HELP_FILE_NAME, README_FILE_NAME, UNINSTALLER_NAME };
    for (const char* name : groupLinks)
        CreateShellLink(g_strInstallDir + "\\" + name, group + "\\" + name + ".lnk", "", SW_SHOWNORMAL, nullptr, nullptr);
    CreateShellLink(g_strInstallDir + "\\" APP_EXE_NAME, GetShellFolder(TRUE, "Common Desktop") + "\\Glimra 5.lnk", "",
                    SW_SHOWNORMAL, nullptr, nullptr);
    CreateShellLink(g_strInstallDir + "\\" APP_EXE_NAME, GetShellFolder(TRUE, "Common Startup") + "\\Glimra 5.lnk", "",
                    SW_SHOWNORMAL, nullptr, nullptr);
    EndPhase("shortcuts");

    const char* entry = UNINSTALL_KEY "\\" UNINSTALL_ENTRY_NAME;
    WriteRegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", "B");
    WriteRegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "Path", g_strInstallDir);
    WriteRegString(HKEY_LOCAL_MACHINE, APP_PATHS_KEY "\\" APP_EXE_NAME, nullptr, g_strInstallDir + "\\" APP_EXE_NAME);
    const char* entryValues[] = { "Contact", "DisplayName", "DisplayVersion", "Publisher", "UninstallString", "URLInfoAbout" };
    for (const char* name : entryValues) WriteRegString(HKEY_LOCAL_MACHINE, entry, name, "x");
    EndPhase("registry");

    // The uninstall's log replay on its own first; the driver then finds nothing left to replay and
    // times the rest: registry cleanup, file types, the shortcuts of every profile.
    CString folder = g_strInstallDir + "\\";
    UndoLinksAndMadeDirs(log);
    UndoFileRecords(log, folder, nullptr);
    EndPhase("uninstall-replay");
    RunUninstall(folder);
    EndPhase("uninstall-rest");
}

// <count> small files in ten sub-folders and a log with a "Make Dir: " record for each sub-folder
// and a "File Copy: " record for each file.
static void MakeReplayInput(const char* folder, int count, char* logPath)
{
    CreateDirectoryA(folder, nullptr);
    sprintf(logPath, "%s\\" LOG_NAME, folder);
    FILE* log = fopen(logPath, "w");
    if (!log) exit(1);
    for (int sub = 0; sub < 10; sub++) {
        char path[MAX_PATH];
        sprintf(path, "%s\\d%d", folder, sub);
        CreateDirectoryA(path, nullptr);
        fprintf(log, REC_MAKE_DIR "d%d\n", sub);
    }
    for (int i = 0; i < count; i++) {
        char name[64], path[MAX_PATH];
        sprintf(name, "d%d\\file%06d.dat", i % 10, i);
        sprintf(path, "%s\\%s", folder, name);
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        fprintf(log, REC_FILE_COPY "%s\n", name);
    }
    fclose(log);
}

int main(int argc, char** argv)
{
    if (argc == 3 && !strcmp(argv[1], "uninstall")) {
        char folder[MAX_PATH];
        snprintf(folder, sizeof folder, "%s\\", argv[2]);
        StartClock();
        RunUninstall(folder);
        PrintClock();
        return 0;
    }
    if (argc == 4 && !strcmp(argv[1], "replay")) {
        char logPath[MAX_PATH], folder[MAX_PATH];
        MakeReplayInput(argv[2], atoi(argv[3]), logPath);
        snprintf(folder, sizeof folder, "%s\\", argv[2]);
        StartClock();
        UndoLinksAndMadeDirs(logPath);
        UndoFileRecords(logPath, folder, nullptr);
        PrintClock();
        return 0;
    }
    if (argc == 4 && !strcmp(argv[1], "phases")) {
        TimeInstallPhases(argv[2], argv[3]);
        return 0;
    }
    return 2;
}
