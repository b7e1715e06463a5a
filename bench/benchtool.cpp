// Timing of whole programs from their start, the same way for ours and for the baselines:
//   benchtool run <command line>          start, wait for the end; prints the milliseconds
//   benchtool firstwindow <command line>  start, wait until the process, or a process it started
//                                         (a bundle's setup.exe), shows a window; prints its title
//                                         and the milliseconds, then closes the program
// Every wait has a limit of 120 s; past it the program is ended and the tool fails.
#include <windows.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <string.h>
#include <map>
#include "processwindow.h"

#define LIMIT_MS 120000


static double Elapsed(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

// The process that started this one; 0 when it is not in the system's list.
static DWORD FindParent(DWORD processId)
{
    DWORD parent = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && !parent; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == processId) parent = entry.th32ParentProcessID;
    CloseHandle(snapshot);
    return parent;
}

// A visible top-level window of the process or of a process it started. Whether another
// process's window counts is found out once per process.
static HWND FindStartedWindow(DWORD processId, std::map<DWORD, bool>& started, DWORD& owner)
{
    return FindTopLevelWindow([&](HWND window) {
        if (!IsWindowVisible(window)) return false;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return true;
        auto known = started.find(owner);
        if (known == started.end()) known = started.emplace(owner, FindParent(owner) == processId).first;
        return known->second;
    });
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
        DWORD owner = 0;
        std::map<DWORD, bool> started;
        while (!found && Elapsed(start) < LIMIT_MS && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            found = FindStartedWindow(process.dwProcessId, started, owner);
            if (!found) Sleep(1);
        }
        if (found) {
            double elapsed = Elapsed(start);
            char title[256] = "";
            GetWindowTextA(found, title, sizeof title);
            printf("%s\n%.3f\n", title, elapsed);
            // A window of the started process is closed; the process a bundle started is ended,
            // and the bundle then ends by itself, taking its unpack folder away.
            HANDLE child = owner != process.dwProcessId ? OpenProcess(PROCESS_TERMINATE, FALSE, owner) : nullptr;
            if (child) TerminateProcess(child, 1), CloseHandle(child);
            else PostMessageA(found, WM_CLOSE, 0, 0);
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
