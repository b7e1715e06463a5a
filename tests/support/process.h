// Starting Windows programs from a test and waiting for them with a time limit.
#pragma once
#include <windows.h>
#include <string>

struct ChildProcess {
    HANDLE process = nullptr;
    DWORD id = 0;
};

// Starts the command line (program path quoted by the caller when it holds blanks). The handle is
// null when the start failed.
ChildProcess StartProcess(const std::string& commandLine, const char* workingDir = nullptr);

// Waits at most timeoutMs; returns the exit code, or -1 on time-out (the process is then killed).
// The handle is closed in both cases.
int WaitProcess(ChildProcess& child, DWORD timeoutMs);

// Start and wait in one.
int RunProcess(const std::string& commandLine, DWORD timeoutMs, const char* workingDir = nullptr);

// Directory of the running test program, without a trailing backslash.
std::string TestProgramDir();

// Waits at most timeoutMs for the process to end, without killing it or closing the handle.
// TRUE when it ended; its exit code then goes to *exitCode when given.
bool WaitForExit(const ChildProcess& child, DWORD timeoutMs, DWORD* exitCode = nullptr);

// Kills the process when it still runs and closes the handle; for cleaning up after a case.
void EndProcess(ChildProcess& child);

// TRUE while the process still runs.
bool IsRunning(const ChildProcess& child);

// The process running that program file (full path, any letter case), or 0.
DWORD ProcessOfProgram(const std::string& exePath);
// A process that the given one started and that still runs, or 0.
DWORD ChildOfProcess(DWORD parentId);

// The argument enclosed in double quotes when it holds a blank or a tab (or is empty).
std::string QuoteArgument(const std::string& argument);
