// The setup program's own code timed in-process (the removal run's fixed 1 s wait is not part of
// the work, so the uninstall driver is called directly):
//   setupbench uninstall <folder>        RunUninstall on an installed folder; prints milliseconds
//   setupbench replay <folder> <count>   makes <count> files and a log naming each one (not timed),
//                                        then replays the log; prints the milliseconds of the replay
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "instance/instance.h"
#include "engine/names.h"
#include "uninstall/replay.h"
#include "uninstall/uninstall.h"

// The program registers like the setup program does, so the uninstall sees the same world.
CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);

static LARGE_INTEGER g_start;

static void StartClock() { QueryPerformanceCounter(&g_start); }

static void PrintClock()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    printf("%.3f\n", (now.QuadPart - g_start.QuadPart) * 1000.0 / frequency.QuadPart);
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
    return 2;
}
