// Timing of whole programs from their start, the same way for ours and for the baselines:
//   benchtool run <command line>          start, wait for the end; prints the milliseconds
//   benchtool firstwindow <command line>  start, wait until the process shows a window; prints
//                                         its title and the milliseconds, then closes the program
// Every wait has a limit of 120 s; past it the program is ended and the tool fails.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "processwindow.h"

#define LIMIT_MS 120000


static double Elapsed(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

int main()
{
    // The command line after the tool's own two words, as given.
    const char* line = GetCommandLineA();
    for (int words = 0; words < 2; words++) {
        while (*line == ' ') line++;
        bool quoted = *line == '"';
        if (quoted) line++;
        while (*line && (quoted ? *line != '"' : *line != ' ')) line++;
        if (quoted && *line) line++;
    }
    while (*line == ' ') line++;
    int argc = __argc;
    char** argv = __argv;
    if (argc < 3) return 2;
    bool firstWindow = strcmp(argv[1], "firstwindow") == 0;
    if (!firstWindow && strcmp(argv[1], "run") != 0) return 2;

    char command[4096];
    lstrcpynA(command, line, sizeof command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        fprintf(stderr, "benchtool: cannot start %s\n", command);
        return 1;
    }
    int status = 0;
    if (firstWindow) {
        HWND found = nullptr;
        while (!found && Elapsed(start) < LIMIT_MS && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            found = FindProcessWindow(process.dwProcessId, IsWindowVisible);
            if (!found) Sleep(1);
        }
        if (found) {
            double elapsed = Elapsed(start);
            char title[256] = "";
            GetWindowTextA(found, title, sizeof title);
            printf("%s\n%.3f\n", title, elapsed);
            PostMessageA(found, WM_CLOSE, 0, 0);
        } else {
            fprintf(stderr, "benchtool: no window from %s\n", command);
            status = 1;
        }
        if (WaitForSingleObject(process.hProcess, 2000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 0);
    } else if (WaitForSingleObject(process.hProcess, LIMIT_MS) == WAIT_OBJECT_0) {
        printf("%.3f\n", Elapsed(start));
    } else {
        TerminateProcess(process.hProcess, 1);
        fprintf(stderr, "benchtool: %s did not end\n", command);
        status = 1;
    }
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}
