#include "enginefs.h"
#include <algorithm>
#include <stdio.h>


std::string FreshFolder(const std::string& name)
{
    CreateDirectoryA("C:\\glmtest", nullptr);
    CreateDirectoryA(ENGINE_ROOT, nullptr);
    std::string path = std::string(ENGINE_ROOT) + "\\" + name;
    RemoveTree(path);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

std::string ReadFileBytes(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return "<missing>";
    std::string bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    fclose(file);
    return bytes;
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD Attributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

std::vector<std::string> SearchOrder(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names = SearchOrder(folder, "*");
    std::sort(names.begin(), names.end());
    return names;
}

static bool UnderEngineRoot(const std::string& path)
{
    std::string root = std::string(ENGINE_ROOT) + "\\";
    return path.size() >= root.size() && lstrcmpiA(path.substr(0, root.size()).c_str(), root.c_str()) == 0;
}

void RemoveOwnPendingRenames()
{
    RemovePendingRenames(UnderEngineRoot);
}

ChildProcess StartHolder(const std::string& path)
{
    CopyFileA((TestProgramDir() + "\\engine_holder.exe").c_str(), path.c_str(), FALSE);
    ChildProcess child = StartProcess("\"" + path + "\" 20000");
    // Wait until the program runs, so its file is in use.
    if (child.process) WaitForInputIdle(child.process, 2000), Sleep(300);
    return child;
}

void StopHolder(ChildProcess& child)
{
    if (!child.process) return;
    TerminateProcess(child.process, 0);
    WaitProcess(child, 5000);
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ",") + name;
    return text;
}
