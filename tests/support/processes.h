// Helpers of the tests that start setup.exe as a process: the processes running now, the
// uninstaller's temporary copy, the system's list of files to delete at the next start, and a
// program's captured output.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "pending.h"

struct ProcessEntry {
    DWORD id = 0;
    DWORD parentId = 0;
    std::string exeName;   // file name of the image, as the system lists it
};

std::vector<ProcessEntry> RunningProcesses();

// An image named uni*.tmp (any letter case): what the uninstaller's temporary copy runs as.
bool IsTemporaryCopyName(const std::string& exeName);

// The temporary copy started by the process parentId, waited for at most timeoutMs; id 0 when none.
ProcessEntry WaitForTemporaryCopy(DWORD parentId, DWORD timeoutMs);

// Lets the temporary copy started by the process parentId end: its closing message, when it shows
// one, is answered with OK; a copy still running after timeoutMs is terminated. Nothing when
// there is no such copy.
void EndTemporaryCopy(DWORD parentId, DWORD timeoutMs);

// Full path of a running process's image; empty when it cannot be read.
std::string ProcessImagePath(HANDLE process);

// Removes the delayed operations whose source is one of the paths (compared ignoring case).
void RemovePendingDeletions(const std::vector<std::string>& paths);

// Whether this process is a 32-bit program on 64-bit Windows (WoW64).
bool RunsUnderWow64();

// Full path of one of the system's own programs (reg.exe, uninstaller.exe, start.exe) of the
// machine's native kind: the 64-bit one under WoW64, where System32 would give the 32-bit one.
std::string NativeSystemProgram(const std::string& name);

// Runs the command line with its standard output and error going to outputFile and returns that
// output; "<timeout>" when it did not end within timeoutMs, "<not started>" when it did not start.
std::string RunCapturingOutput(const std::string& commandLine, const std::string& outputFile, DWORD timeoutMs);
