#include <gtest/gtest.h>
#include "enginesuite.h"
#include "core/detect.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "engine/settings.h"

static const char* const kAppPathKey = APP_PATHS_KEY "\\" APP_EXE_NAME;

// Clears the places detection reads and restores ProgramFilesDir afterwards.
class Detection : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_programFiles = ReadRegString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir");
        Clean();
    }
    void TearDown() override
    {
        Clean();
        if (!m_programFiles.IsEmpty())
            WriteRegString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", m_programFiles);
        RemoveTree(ENGINE_ROOT "\\version");
        RemoveTree(ENGINE_ROOT "\\version.exe");
        RemoveTree(ENGINE_ROOT "\\version.locked");
    }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" MAKER_NAME);  // only when nothing else is in it
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathKey);
    }
    static void SetProgramFilesDir(const char* value)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, 0, KEY_SET_VALUE, &key));
        if (value) RegSetValueExA(key, "ProgramFilesDir", 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
        else RegDeleteValueA(key, "ProgramFilesDir");
        RegCloseKey(key);
    }
    static std::string VersionText()
    {
        char text[64];
        snprintf(text, sizeof text, "%d.%d.%d.%d", g_FileVersion.major, g_FileVersion.minor,
                 g_FileVersion.release, g_FileVersion.build);
        return text;
    }
    CString m_programFiles;
};

TEST_F(Detection, InstalledDirFromThePathValueFirst)
{
    EXPECT_STREQ("", GetInstalledDir());
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr, "E:\\Other\\Glmr5.exe"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", "D:\\Tools\\Glimra 5\\"));
    EXPECT_STREQ("D:\\Tools\\Glimra 5", GetInstalledDir());
    // Only one trailing backslash goes.
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", "D:\\Tools\\\\"));
    EXPECT_STREQ("D:\\Tools\\", GetInstalledDir());
}

TEST_F(Detection, InstalledDirFromAppPathsIsThePartBeforeTheExecutable)
{
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr, "D:\\Tools\\Glimra 5\\Glmr5.exe"));
    EXPECT_STREQ("D:\\Tools\\Glimra 5", GetInstalledDir());
    // An empty "Path" counts as missing.
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", ""));
    EXPECT_STREQ("D:\\Tools\\Glimra 5", GetInstalledDir());
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr, "D:\\Tools\\Glimra 5\\glmr5.exe"));
    EXPECT_STREQ("", GetInstalledDir());
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr, "D:\\A\\Glmr5.exe\\B\\Glmr5.exe"));
    EXPECT_STREQ("D:\\A", GetInstalledDir());
}

TEST_F(Detection, ProgramFilesDirFromTheRegistryOrTheWindowsDrive)
{
    SetProgramFilesDir("D:\\Apps\\");
    EXPECT_STREQ("D:\\Apps", GetProgramFilesDir());
    SetProgramFilesDir(nullptr);
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    std::string expected = std::string(windowsDir).substr(0, std::string(windowsDir).find('\\') + 1) + "Program Files";
    EXPECT_STREQ(expected.c_str(), GetProgramFilesDir()) << "Windows directory " << windowsDir;
    EXPECT_STREQ("C:\\Program Files", GetProgramFilesDir());
}

TEST_F(Detection, SetupDirIsTheFolderOfTheRunningProgram)
{
    EXPECT_STREQ(TestProgramDir().c_str(), GetSetupDir());
    EXPECT_NE('\\', GetSetupDir()[GetSetupDir().GetLength() - 1]);
}

TEST_F(Detection, FileVersionIsTheFixedFileVersion)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    g_FileVersion = { 1, 2, 3, 4 };
    ReadFileVersion(self);
    EXPECT_EQ("5.40.6.0", VersionText());  // the file version, not the product version 9.8.7.6

    std::string folder = FreshFolder(ENGINE_ROOT "\\version");
    ReadFileVersion((folder + "\\Glmr5.exe").c_str());
    EXPECT_EQ("0.0.0.0", VersionText());  // missing file

    WriteFileBytes(folder + "\\Glmr5.exe", "not a program");
    g_FileVersion = { 1, 2, 3, 4 };
    ReadFileVersion((folder + "\\Glmr5.exe").c_str());
    EXPECT_EQ("0.0.0.0", VersionText());  // no version resource, and no .locked file
}

TEST_F(Detection, FileVersionFallsBackToTheLockedName)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = FreshFolder(ENGINE_ROOT "\\version");
    ASSERT_TRUE(CopyFileA(self, (folder + "\\Glmr5.locked").c_str(), FALSE));
    g_FileVersion = {};
    ReadFileVersion((folder + "\\Glmr5.exe").c_str());
    EXPECT_EQ("5.40.6.0", VersionText());

    // Every ".exe" of the path is replaced, the folder's too.
    std::string lockedFolder = FreshFolder(ENGINE_ROOT "\\version.locked");
    ASSERT_TRUE(CopyFileA(self, (lockedFolder + "\\Glmr5.locked").c_str(), FALSE));
    g_FileVersion = {};
    ReadFileVersion(ENGINE_ROOT "\\version.exe\\Glmr5.exe");
    EXPECT_EQ("5.40.6.0", VersionText());
    // Case-sensitive: ".EXE" is not replaced.
    g_FileVersion = { 1, 2, 3, 4 };
    ReadFileVersion((folder + "\\Glmr5.EXE").c_str());
    EXPECT_EQ("0.0.0.0", VersionText());
}
