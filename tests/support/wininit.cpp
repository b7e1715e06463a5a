#include "wininit.h"
#include <windows.h>
#include <gtest/gtest.h>
#include "files.h"

#define WININIT "WININIT.INI"

WininitBackup::WininitBackup()
{
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    m_path = std::string(windowsDir) + "\\" WININIT;
    m_had = PathExists(m_path);
    if (m_had) m_saved = ReadFileBytes(m_path);
}

WininitBackup::~WininitBackup()
{
    // The profile functions may cache the file: empty the section and flush before deleting it.
    WritePrivateProfileStringA("rename", nullptr, nullptr, WININIT);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, WININIT);
    DeleteFileA(m_path.c_str());
    if (m_had) WriteFileBytes(m_path, m_saved);
}

std::vector<std::string> WininitRenameEntries()
{
    std::vector<char> buffer(200000, '\0');
    DWORD length = GetPrivateProfileSectionA("rename", buffer.data(), (DWORD)buffer.size(), WININIT);
    std::vector<std::string> entries;
    for (DWORD at = 0; at < length;) {
        entries.push_back(buffer.data() + at);
        at += (DWORD)entries.back().size() + 1;
    }
    return entries;
}

void WriteWininitRenameSection(const std::vector<std::string>& entries)
{
    std::string section;
    for (const std::string& entry : entries) section += entry + '\0';
    section += '\0';
    ASSERT_TRUE(WritePrivateProfileSectionA("rename", section.data(), WININIT));
}
