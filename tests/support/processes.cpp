#include "processes.h"
#include <tlhelp32.h>
#include "robot.h"
#include "sandbox.h"

namespace {

std::string Lower(std::string text)
{
    for (char& ch : text) ch = (char)tolower((unsigned char)ch);
    return text;
}

} // namespace

std::vector<ProcessEntry> RunningProcesses()
{
    std::vector<ProcessEntry> list;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return list;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        ProcessEntry e;
        e.id = entry.th32ProcessID;
        e.parentId = entry.th32ParentProcessID;
        e.exeName = entry.szExeFile;
        size_t slash = e.exeName.find_last_of('\\');
        if (slash != std::string::npos) e.exeName.erase(0, slash + 1);
        list.push_back(e);
    }
    CloseHandle(snapshot);
    return list;
}

bool IsTemporaryCopyName(const std::string& exeName)
{
    std::string name = Lower(exeName);
    return name.size() > 7 && name.compare(0, 3, "uni") == 0 && name.compare(name.size() - 4, 4, ".tmp") == 0;
}

ProcessEntry WaitForTemporaryCopy(DWORD parentId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (const ProcessEntry& e : RunningProcesses())
            if (e.parentId == parentId && IsTemporaryCopyName(e.exeName)) return e;
        if (GetTickCount() - start >= timeoutMs) return ProcessEntry();
        Sleep(20);
    }
}

void EndTemporaryCopy(DWORD parentId, DWORD timeoutMs)
{
    ProcessEntry entry = WaitForTemporaryCopy(parentId, 0);
    HANDLE copy = entry.id ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.id) : nullptr;
    if (!copy) return;
    if (WaitForSingleObject(copy, 0) == WAIT_TIMEOUT) {
        MessageBoxView box = WaitForMessageBox(entry.id, timeoutMs);
        if (box.window) AnswerMessageBox(box, IDOK, timeoutMs);
    }
    if (WaitForSingleObject(copy, timeoutMs) == WAIT_TIMEOUT) TerminateProcess(copy, 255);
    WaitForSingleObject(copy, timeoutMs);
    CloseHandle(copy);
}

std::string ProcessImagePath(HANDLE process)
{
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof(path);
    if (!QueryFullProcessImageNameA(process, 0, path, &size)) return std::string();
    return path;
}

void RemovePendingDeletions(const std::vector<std::string>& paths)
{
    RemovePendingRenames([&](const std::string& source) {
        for (const std::string& path : paths)
            if (!path.empty() && Lower(source) == Lower(path)) return true;
        return false;
    });
}

bool RunsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string NativeSystemProgram(const std::string& name)
{
    char folder[MAX_PATH] = {};
    if (RunsUnderWow64()) {
        // The file system redirection leaves this alias alone: it names the 64-bit System32.
        GetWindowsDirectoryA(folder, MAX_PATH);
        return std::string(folder) + "\\Sysnative\\" + name;
    }
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

std::string RunCapturingOutput(const std::string& commandLine, const std::string& outputFile, DWORD timeoutMs)
{
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), nullptr, TRUE };
    HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return "<not started>";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                  &startup, &process);
    CloseHandle(output);
    if (!started) return "<not started>";
    CloseHandle(process.hThread);
    bool ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.hProcess, 255);
    CloseHandle(process.hProcess);
    return ended ? ReadFileText(outputFile) : "<timeout>";
}
