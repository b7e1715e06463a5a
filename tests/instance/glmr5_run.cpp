#include "glmr5_run.h"
#include "processwindow.h"
#include <cstring>
#include <fstream>

static const char* kScratchRoot = "C:\\glmtest\\instance";

static void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); DeleteFileA(path.c_str()); }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string FreshScratchDir(const std::string& caseName)
{
    RemoveTree(kScratchRoot);
    CreateDirectoryA("C:\\glmtest", nullptr);
    CreateDirectoryA(kScratchRoot, nullptr);
    std::string dir = std::string(kScratchRoot) + "\\" + caseName;
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void RemoveScratchDir()
{
    RemoveTree(kScratchRoot);
    RemoveDirectoryA("C:\\glmtest");    // only when no other suite left anything there
}

std::string Glmr5Path(const std::string& variant)
{
    std::string dir = GLMR5_DIR;
    return variant.empty() ? dir + "\\Glmr5.exe" : dir + "\\" + variant + "\\Glmr5.exe";
}

std::vector<std::string> ReadRecord(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string RecordText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) text += "  " + l + "\n";
    return text;
}

bool WaitForRecordLine(const std::string& path, const std::string& line, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (const std::string& l : ReadRecord(path))
            if (l == line) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}

Glmr5 StartGlmr5(const std::string& record, const std::string& args, const std::string& exe)
{
    Glmr5 app;
    app.record = record;
    std::string cmd = "\"" + (exe.empty() ? Glmr5Path() : exe) + "\"";
    if (!record.empty()) cmd += " -record \"" + record + "\"";
    if (!args.empty()) cmd += " " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back(0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return app;
    CloseHandle(pi.hThread);
    app.process = pi.hProcess;
    app.pid = pi.dwProcessId;
    app.tid = pi.dwThreadId;
    if (!record.empty() && !WaitForRecordLine(record, "start " + std::to_string(app.pid), 10000))
        KillGlmr5(app);
    return app;
}

bool IsRunning(const Glmr5& app)
{
    return app.process && WaitForSingleObject(app.process, 0) == WAIT_TIMEOUT;
}

static bool WaitForEnd(Glmr5& app, DWORD timeoutMs)
{
    bool ended = WaitForSingleObject(app.process, timeoutMs) == WAIT_OBJECT_0;
    KillGlmr5(app);
    return ended;
}

// The stand-in's main window, told by its class.
static bool IsMainWindow(HWND window)
{
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof(cls));
    return strcmp(cls, "Glmr5Main") == 0;
}

bool CloseGlmr5(Glmr5& app, DWORD timeoutMs)
{
    if (!app.process) return false;
    HWND window = FindProcessWindow(app.pid, IsMainWindow);
    if (!window || !PostMessageA(window, WM_CLOSE, 1001, 0)) return false;
    return WaitForEnd(app, timeoutMs);
}

bool QuitGlmr5(Glmr5& app)
{
    if (!app.process || !PostThreadMessageA(app.tid, WM_QUIT, 0, 0)) return false;
    return WaitForEnd(app, 5000);
}

void KillGlmr5(Glmr5& app)
{
    if (!app.process) return;
    if (WaitForSingleObject(app.process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(app.process, 255);
        WaitForSingleObject(app.process, 5000);
    }
    CloseHandle(app.process);
    app.process = nullptr;
}

SharedList::SharedList(const std::string& name)
{
    mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, ("InstanceManager_FileMap_" + name).c_str());
    if (mapping) words = (DWORD*)MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
}

SharedList::~SharedList()
{
    if (words) UnmapViewOfFile(words);
    if (mapping) CloseHandle(mapping);
}

std::vector<DWORD> SharedList::Ids() const
{
    std::vector<DWORD> ids;
    for (DWORD i = 0; i < Count() && i < 1000; ++i) ids.push_back(Slot((int)i));
    return ids;
}

bool SharedListExists(const std::string& name)
{
    HANDLE h = OpenFileMappingA(FILE_MAP_READ, FALSE, ("InstanceManager_FileMap_" + name).c_str());
    if (h) CloseHandle(h);
    return h != nullptr;
}
