#include "hardfs.h"
#include <algorithm>
#include <stdio.h>

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

std::string FreshFolder(const std::string& name)
{
    CreateDirectoryA("C:\\glmtest", nullptr);
    CreateDirectoryA(HARD_ROOT, nullptr);
    std::string path = std::string(HARD_ROOT) + "\\" + name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

static void CollectTree(const std::string& folder, const std::string& prefix, std::vector<std::string>& all)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            all.push_back(prefix + name + "\\");
            CollectTree(folder + "\\" + name, prefix + name + "\\", all);
        } else {
            all.push_back(prefix + name);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

std::string TreeText(const std::string& folder)
{
    std::vector<std::string> all;
    CollectTree(folder, "", all);
    std::sort(all.begin(), all.end());
    std::string text;
    for (const std::string& name : all) text += (text.empty() ? "" : ",") + name;
    return text;
}

bool HeapsIntact()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; i++)
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    return true;
}

std::string Repeat(char ch, size_t n)
{
    return std::string(n, ch);
}

// A crash in a row ends the program at once with a message, instead of waiting on the system's
// debugger; the test run then fails.
static LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    fprintf(stderr, "hardening: crash, exception 0x%08lX at %p\n", (unsigned long)info->ExceptionRecord->ExceptionCode,
            info->ExceptionRecord->ExceptionAddress);
    fflush(stderr);
    ExitProcess(3);
}

static const bool g_crashReporting = (SetUnhandledExceptionFilter(ReportCrash), SetErrorMode(SEM_NOGPFAULTERRORBOX), true);
