#include "files.h"
#include <algorithm>

DWORD Attributes(const std::string& path)
{
    return GetFileAttributesA(path.c_str());
}

bool PathExists(const std::string& path)
{
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const std::string& path)
{
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

// The whole file into bytes; false when it cannot be opened.
static bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    return true;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    return ReadWholeFile(path, bytes) ? bytes : "<missing>";
}

std::string ReadFileText(const std::string& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string content = ReadFileText(path);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool MakeFolders(const std::string& path)
{
    if (path.empty()) return false;
    DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2) MakeFolders(path.substr(0, slash));
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool RemoveTree(const std::string& path)
{
    DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;
    for (const std::string& name : SearchOrder(path, "*")) RemoveTree(path + "\\" + name);
    return RemoveDirectoryA(path.c_str()) != 0;
}

std::string FreshFolder(const std::string& path)
{
    RemoveTree(path);
    MakeFolders(path);
    return path;
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

static void CollectTree(const std::string& folder, const std::string& prefix, std::vector<std::string>& all)
{
    for (const std::string& name : SearchOrder(folder, "*")) {
        if (FolderExists(folder + "\\" + name)) {
            all.push_back(prefix + name + "\\");
            CollectTree(folder + "\\" + name, prefix + name + "\\", all);
        } else {
            all.push_back(prefix + name);
        }
    }
}

std::string TreeText(const std::string& folder)
{
    std::vector<std::string> all;
    CollectTree(folder, "", all);
    std::sort(all.begin(), all.end());
    return Joined(all);
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ",") + name;
    return text;
}
