#include "packagefiles.h"
#include "codepage.h"
#include <stdio.h>
#include <algorithm>

struct FoundName {
    std::string utf8;
    bool folder;
};

#ifdef _WIN32
#include <windows.h>

static std::wstring WideFromUtf8(const std::string& text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

static std::string Utf8FromWide(const std::wstring& wide)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(length > 0 ? length : 1, '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], length, nullptr, nullptr);
    text.resize(strlen(text.c_str()));
    return text;
}

// The names of a folder, "." and ".." left out; false when it cannot be searched.
static bool ReadFolder(const std::string& folder, std::vector<FoundName>& names)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(WideFromUtf8(JoinNativePath(folder, "*")).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        names.push_back({ Utf8FromWide(name), (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 });
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return true;
}

static FILE* OpenFile(const std::string& path, bool writing)
{
    return _wfopen(WideFromUtf8(path).c_str(), writing ? L"wb" : L"rb");
}

std::string JoinNativePath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}
#else
#include <dirent.h>
#include <sys/stat.h>

static bool ReadFolder(const std::string& folder, std::vector<FoundName>& names)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info;
        bool isFolder = stat(JoinNativePath(folder, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        names.push_back({ name, isFolder });
    }
    closedir(dir);
    return true;
}

static FILE* OpenFile(const std::string& path, bool writing)
{
    return fopen(path.c_str(), writing ? "wb" : "rb");
}

std::string JoinNativePath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}
#endif

// The name in 1250; a character 1250 lacks becomes "?".
static std::string NameIn1250(const std::string& utf8, bool& fits)
{
    std::string name;
    fits = ConvertUtf8To1250(utf8, name);
    if (!fits) {
        name.clear();
        for (unsigned char byte : utf8)
            if (byte < 0x80 || (byte & 0xC0) == 0xC0) name += byte < 0x80 ? (char)byte : '?';
    }
    return name;
}

static bool ListInto(const std::string& folder, const std::string& prefix, std::vector<PackageEntry>& entries)
{
    std::vector<FoundName> names;
    if (!ReadFolder(folder, names)) return false;
    std::sort(names.begin(), names.end(), [](const FoundName& a, const FoundName& b) { return a.utf8 < b.utf8; });
    for (const FoundName& found : names) {
        PackageEntry entry;
        entry.name = prefix + NameIn1250(found.utf8, entry.nameFits);
        entry.path = JoinNativePath(folder, found.utf8);
        entry.folder = found.folder;
        entries.push_back(entry);
        if (entry.folder) ListInto(entry.path, entry.name + "\\", entries);
    }
    return true;
}

bool ListPackage(const std::string& folder, std::vector<PackageEntry>& entries)
{
    entries.clear();
    return ListInto(folder, "", entries);
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    FILE* file = OpenFile(path, false);
    if (!file) return false;
    bytes.clear();
    char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    bool failed = ferror(file) != 0;
    fclose(file);
    return !failed;
}

long long MeasureFile(const std::string& path)
{
    FILE* file = OpenFile(path, false);
    if (!file) return -1;
    long size = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    fclose(file);
    return size;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    FILE* file = OpenFile(path, true);
    if (!file) return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}
