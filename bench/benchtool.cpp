// Timing of whole programs from their start, the same way for ours and for the baselines:
//   benchtool run <command line>          start, wait for the end; prints the milliseconds
//   benchtool firstwindow <command line>  start, wait until the process shows a window; prints
//                                         its title and the milliseconds, then closes the program
// Every wait has a limit of 120 s; past it the program is ended and the tool fails.
#include <windows.h>
#include <stdio.h>
#include <string.h>

#define LIMIT_MS 120000

struct Search {
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK FindVisible(HWND window, LPARAM data)
{
    Search* search = (Search*)data;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

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
        Search search = { process.dwProcessId, nullptr };
        while (!search.found && Elapsed(start) < LIMIT_MS &&
               WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            EnumWindows(FindVisible, (LPARAM)&search);
            if (!search.found) Sleep(1);
        }
        if (search.found) {
            double elapsed = Elapsed(start);
            char title[256] = "";
            GetWindowTextA(search.found, title, sizeof title);
            printf("%s\n%.3f\n", title, elapsed);
            PostMessageA(search.found, WM_CLOSE, 0, 0);
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
