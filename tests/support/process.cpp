#include "process.h"
#include <stdio.h>
#include <tlhelp32.h>
#include <vector>

ChildProcess StartProcess(const std::string& commandLine, const char* workingDir)
{
    ChildProcess child;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDir, &si, &pi)) {
        CloseHandle(pi.hThread);
        child.process = pi.hProcess;
        child.id = pi.dwProcessId;
    } else {
        // Said where it happens: a test that cannot start its program fails later, further away.
        fprintf(stderr, "CreateProcess failed with error %lu: %s\n", GetLastError(), commandLine.c_str());
    }
    return child;
}

int WaitProcess(ChildProcess& child, DWORD timeoutMs)
{
    if (!child.process) return -1;
    int result = -1;
    if (WaitForSingleObject(child.process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(child.process, &code);
        result = (int)code;
    } else {
        TerminateProcess(child.process, 255);
        WaitForSingleObject(child.process, 5000);
    }
    CloseHandle(child.process);
    child.process = nullptr;
    return result;
}

int RunProcess(const std::string& commandLine, DWORD timeoutMs, const char* workingDir)
{
    ChildProcess child = StartProcess(commandLine, workingDir);
    return WaitProcess(child, timeoutMs);
}

std::string TestProgramDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    size_t slash = s.find_last_of('\\');
    return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

bool WaitForExit(const ChildProcess& child, DWORD timeoutMs, DWORD* exitCode)
{
    if (!child.process || WaitForSingleObject(child.process, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(child.process, exitCode);
    return true;
}

void EndProcess(ChildProcess& child)
{
    if (!child.process) return;
    if (WaitForSingleObject(child.process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(child.process, 255);
        WaitForSingleObject(child.process, 5000);
    }
    CloseHandle(child.process);
    child.process = nullptr;
}

bool IsRunning(const ChildProcess& child)
{
    return child.process && WaitForSingleObject(child.process, 0) == WAIT_TIMEOUT;
}

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t") == std::string::npos) return argument;
    return "\"" + argument + "\"";
}

// The first process of the system's list for which the test holds.
template <typename Test>
static DWORD FindProcess(Test test)
{
    DWORD found = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        if (test(entry)) found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

DWORD ProcessOfProgram(const std::string& exePath)
{
    return FindProcess([&](const PROCESSENTRY32& entry) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process) return false;
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        bool same = QueryFullProcessImageNameA(process, 0, path, &size) && lstrcmpiA(path, exePath.c_str()) == 0;
        CloseHandle(process);
        return same;
    });
}

DWORD ChildOfProcess(DWORD parentId)
{
    return FindProcess([&](const PROCESSENTRY32& entry) { return entry.th32ParentProcessID == parentId; });
}
