// The install transaction: a small package installed for real under Wine, checked through its
// files, its log, its shortcuts (read back through the shell's link object) and the registry.
#include <gtest/gtest.h>
#include "engine/install.h"
#include "engine/settings.h"
#include "samplepackage.h"
#include "sandbox.h"
#include "engine/replay.h"

namespace {

const char kSettingsKey[] = "SOFTWARE\\Orvane\\Glimra v.5";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5";
const char kAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe";

// Shortcut names of the string table, in the ANSI code page 1250.
const char kAppLink[] = "Glimra 5.lnk";
const char kHelpLink[] = "Glimra 5 S\xfag\xf3.lnk";
const char kReadmeLink[] = "B\xf5vebben a Glimra 5-r\xf5l.lnk";
const char kUninstallLink[] = "A Glimra 5 elt\xe1vol\xedt\xe1sa.lnk";

const char* const kScript = kSamplePackageScript;

class InstallTest : public ::testing::Test {
protected:
    Sandbox m_box{"install"};
    std::string m_pkg, m_inst;
    ShellFolderPaths m_folders;
    char m_savedDir[MAX_PATH] = {};

    void SetUp() override
    {
        m_folders = m_box.RedirectShellFolders();
        m_box.AddProgramGroup("Tools\\Glimra 5");
        m_pkg = m_box.Path("pkg");
        m_inst = m_box.Path("Program Files\\Glimra 5");
        MakeSamplePackage(m_pkg);
        // A Start menu holds other entries; an empty programs folder would go with the replay's
        // climb over emptied parents.
        WriteFileBytes(m_folders.userPrograms + "\\other.lnk", "x");
        WriteFileBytes(m_folders.commonPrograms + "\\other.lnk", "x");

        SetNewInstallSettings(m_pkg, m_inst, false);
        SetEnvironmentVariableA("sfxname", nullptr);
        GetCurrentDirectoryA(MAX_PATH, m_savedDir);
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(m_savedDir);
        SetEnvironmentVariableA("sfxname", nullptr);
        DeleteFileA("C:\\Glimra 5.lnk");
        RemoveDirectoryA("C:\\Glimra 5");
    }

    std::string Log() const { return ReadFileText(m_inst + "\\GlmUnInst.log"); }

    // The records PerformInstall appends after the script, with the programs folder and the
    // desktop and Startup folders given (empty: that shortcut is not expected).
    std::string Records(const std::string& programs, const std::string& desktop, const std::string& startup) const
    {
        std::string group = programs + "\\Glimra 5\\";
        std::string r = "Made Dir: " + programs + "\\Glimra 5\r\n";
        for (const char* name : { kAppLink, kHelpLink, kReadmeLink, kUninstallLink })
            r += "Shell Link: " + group + name + "\r\n";
        if (!desktop.empty()) r += "Shell Link: " + desktop + "\\" + kAppLink + "\r\n";
        if (!startup.empty()) r += "Shell Link: " + startup + "\\" + kAppLink + "\r\n";
        return r;
    }

    void ExpectLinkTo(const std::string& link, const std::string& target)
    {
        ShortcutInfo info = ReadShortcut(link);
        EXPECT_TRUE(info.loaded) << "no shortcut " << link;
        EXPECT_EQ(target, info.target) << link;
        EXPECT_EQ("", info.arguments) << link;
        EXPECT_EQ("", info.description) << link;
        EXPECT_EQ(SW_SHOWNORMAL, info.showCmd) << link;
    }

    void ExpectGroupLinks(const std::string& programs)
    {
        std::string group = programs + "\\Glimra 5\\";
        ExpectLinkTo(group + kAppLink, m_inst + "\\Glmr5.exe");
        ExpectLinkTo(group + kHelpLink, m_inst + "\\Glmr5Man.chm");
        ExpectLinkTo(group + kReadmeLink, m_inst + "\\readme.txt");
        ExpectLinkTo(group + kUninstallLink, m_inst + "\\GlmUnInst.exe");
    }

    // The product's own shortcut, "Glimra 5.lnk", in folder, pointing at the installed program.
    void ExpectAppLinkIn(const std::string& folder) { ExpectLinkTo(folder + "\\" + kAppLink, m_inst + "\\Glmr5.exe"); }

    // The group's four shortcuts and the desktop and Startup ones, in one set of shell folders.
    void ExpectAllLinksIn(const std::string& programs, const std::string& desktop, const std::string& startup)
    {
        ExpectGroupLinks(programs);
        ExpectAppLinkIn(desktop);
        ExpectAppLinkIn(startup);
    }

    void ExpectRegistry(const char* allUsers)
    {
        EXPECT_EQ(allUsers, RegString(HKEY_LOCAL_MACHINE, kSettingsKey, "AllUsers"));
        EXPECT_EQ(m_inst, RegString(HKEY_LOCAL_MACHINE, kSettingsKey, "Path"));
        EXPECT_EQ(m_inst + "\\Glmr5.exe", RegString(HKEY_LOCAL_MACHINE, kAppPathKey, nullptr));
        // The uninstaller's path is quoted: unquoted, Windows would try "C:\glmtest\...\Program.exe"
        // first; Windows' list shows the icon and size and offers no Change or Repair.
        const std::string uninstaller = "\"" + m_inst + "\\GlmUnInst.exe\"";
        const std::pair<const char*, std::string> entry[] = {
            { "Contact", "Support" },
            { "DisplayName", "Glimra 5" },
            { "DisplayVersion", "5" },
            { "Publisher", "Orvane Technology LLC" },
            { "UninstallString", uninstaller },
            { "QuietUninstallString", uninstaller + " -s" },
            { "DisplayIcon", m_inst + "\\Glmr5.exe" },
            { "InstallLocation", m_inst },
            { "NoModify", "1" },
            { "NoRepair", "1" },
            { "EstimatedSize", "1" },   // the sample package's few bytes, rounded up to 1 KB
        };
        for (const auto& value : entry) EXPECT_EQ(value.second, RegString(HKEY_LOCAL_MACHINE, kUninstallKey, value.first)) << value.first;
        std::string url = RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "URLInfoAbout");
        EXPECT_EQ(0u, url.find("http://")) << url;
        // The uninstall entry holds these values, the address, and nothing else.
        HKEY key;
        DWORD values = 0;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key));
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_EQ(sizeof(entry) / sizeof(entry[0]) + 1, values);
    }
};

TEST_F(InstallTest, FreshInstallWithAllOptions)
{
    MakeFolders(m_box.Path("sfx"));
    WriteFileBytes(m_box.Path("sfx\\Glmr5.ini"), "[settings]\r\n");
    SetEnvironmentVariableA("sfxname", m_box.Path("sfx\\glimra5.exe").c_str());

    EXPECT_EQ(0, PerformInstall());

    EXPECT_EQ("application v5", ReadFileText(m_inst + "\\Glmr5.exe"));
    EXPECT_EQ("help", ReadFileText(m_inst + "\\Glmr5Man.chm"));
    EXPECT_EQ("a", ReadFileText(m_inst + "\\Help\\a.htm"));
    EXPECT_EQ("b", ReadFileText(m_inst + "\\Help\\b.htm"));
    EXPECT_EQ("readme", ReadFileText(m_inst + "\\readme.txt"));
    EXPECT_FALSE(FileExists(m_inst + "\\readme.src"));
    EXPECT_EQ("uninstaller", ReadFileText(m_inst + "\\GlmUnInst.exe"));
    EXPECT_EQ("[settings]\r\n", ReadFileText(m_inst + "\\Glmr5.ini"));

    // The script's last line is ended by the empty record.
    EXPECT_EQ(std::string(kScript) + "\r\n" + Records(m_folders.userPrograms, m_folders.userDesktop, m_folders.userStartup), Log());
    ExpectAllLinksIn(m_folders.userPrograms, m_folders.userDesktop, m_folders.userStartup);
    EXPECT_FALSE(FolderExists(m_folders.commonPrograms + "\\Glimra 5"));
    EXPECT_FALSE(FileExists(m_folders.commonDesktop + "\\" + kAppLink));
    ExpectRegistry("A");
    EXPECT_TRUE(g_bAllUsers == FALSE);
}

// A package on read-only media: its install script, and so the installed log copied from it, is
// read-only. The group and shortcut records still reach the log, and their replay removes them.
TEST_F(InstallTest, AReadOnlyInstallScriptStillGetsTheRecords)
{
    // Only where the file system refuses to write a read-only file can the fault show.
    std::string probe = m_box.Path("readonly.txt");
    WriteFileBytes(probe, "x");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    FILE* append = fopen(probe.c_str(), "a");
    if (append) fclose(append);
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(nullptr, append) << "this prefix writes read-only files (a wineserver with DAC override)";

    ASSERT_TRUE(SetFileAttributesA((m_pkg + "\\GlmUnInst.log").c_str(), FILE_ATTRIBUTE_READONLY));
    PerformInstall();
    SetFileAttributesA((m_pkg + "\\GlmUnInst.log").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(std::string(kScript) + "\r\n" + Records(m_folders.userPrograms, m_folders.userDesktop, m_folders.userStartup), Log());
    UndoLinksAndMadeDirs((m_inst + "\\GlmUnInst.log").c_str());
    EXPECT_FALSE(FolderExists(m_folders.userPrograms + "\\Glimra 5"));
    EXPECT_FALSE(FileExists(m_folders.userDesktop + "\\" + kAppLink));
    EXPECT_FALSE(FileExists(m_folders.userStartup + "\\" + kAppLink));
}

TEST_F(InstallTest, FreshInstallReadsNoOldLogAndDeletesNothingFirst)
{
    // What an earlier installation might have left: a log with a shortcut and a group, and a file
    // the script declares obsolete. A fresh installation leaves all of it alone.
    MakeFolders(m_folders.userPrograms + "\\Old Group");
    MakeFolders(m_inst);
    ASSERT_TRUE(WriteFileBytes(m_folders.userPrograms + "\\Old Group\\Old.lnk", "x"));
    ASSERT_TRUE(WriteFileBytes(m_inst + "\\old.dll", "old"));
    WriteFileBytes(m_inst + "\\GlmUnInst.log", "Shell Link: " + m_folders.userPrograms + "\\Old Group\\Old.lnk\r\n"
                                             "Made Dir: " + m_folders.userPrograms + "\\Old Group\r\n");
    WriteFileBytes(m_inst + "\\install.log", "Made Dir: " + m_folders.userPrograms + "\\Old Group\r\n");
    g_bDesktopIcon = FALSE;
    g_bAutoStart = FALSE;
    PerformInstall();
    EXPECT_EQ("x", ReadFileText(m_folders.userPrograms + "\\Old Group\\Old.lnk"));
    EXPECT_EQ("old", ReadFileText(m_inst + "\\old.dll"));
    EXPECT_EQ(std::string(kScript) + "\r\n" + Records(m_folders.userPrograms, "", ""), Log());
    RemoveTree(m_folders.userPrograms + "\\Old Group");
}

TEST_F(InstallTest, AllUsersInstallUsesTheCommonFolders)
{
    g_bAllUsers = TRUE;
    PerformInstall();
    EXPECT_TRUE(g_bAllUsers == TRUE);
    EXPECT_EQ(std::string(kScript) + "\r\n" + Records(m_folders.commonPrograms, m_folders.commonDesktop, m_folders.commonStartup), Log());
    ExpectAllLinksIn(m_folders.commonPrograms, m_folders.commonDesktop, m_folders.commonStartup);
    EXPECT_FALSE(FolderExists(m_folders.userPrograms + "\\Glimra 5"));
    EXPECT_FALSE(FileExists(m_folders.userDesktop + "\\" + kAppLink));
    ExpectRegistry("B");
}

TEST_F(InstallTest, AllUsersWithoutCommonProgramsInstallsForTheCurrentUser)
{
    m_box.DeleteShellFolder(true, "Common Programs");
    g_bAllUsers = TRUE;
    PerformInstall();
    EXPECT_TRUE(g_bAllUsers == FALSE);
    EXPECT_EQ(std::string(kScript) + "\r\n" + Records(m_folders.userPrograms, m_folders.userDesktop, m_folders.userStartup), Log());
    // The common desktop and Startup folders exist, but the installation is per user now.
    ExpectAllLinksIn(m_folders.userPrograms, m_folders.userDesktop, m_folders.userStartup);
    EXPECT_FALSE(FileExists(m_folders.commonDesktop + "\\" + kAppLink));
    EXPECT_FALSE(FileExists(m_folders.commonStartup + "\\" + kAppLink));
    ExpectRegistry("A");
}

TEST_F(InstallTest, ShortCommonProgramsValueCountsAsMissing)
{
    m_box.SetShellFolder(true, "Common Programs", "C:\\");
    g_bAllUsers = TRUE;
    g_bDesktopIcon = FALSE;
    g_bAutoStart = FALSE;
    PerformInstall();
    EXPECT_TRUE(g_bAllUsers == FALSE);
    EXPECT_FALSE(FolderExists("C:\\Glimra 5"));
    ExpectGroupLinks(m_folders.userPrograms);
    EXPECT_EQ("A", RegString(HKEY_LOCAL_MACHINE, kSettingsKey, "AllUsers"));
}

TEST_F(InstallTest, ReinstallWithoutDesktopIconRemovesTheOldShortcutAndDoesNotAccumulate)
{
    PerformInstall();
    ASSERT_TRUE(FileExists(m_folders.userDesktop + "\\" + kAppLink));
    // Installed state the new package declares obsolete, and a legacy log with a shortcut.
    WriteFileBytes(m_inst + "\\old.dll", "old");
    SetFileAttributesA((m_inst + "\\old.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileBytes(m_inst + "\\keep.dll", "keep");
    ASSERT_TRUE(WriteFileBytes(m_folders.userPrograms + "\\Legacy.lnk", "x"));
    WriteFileBytes(m_inst + "\\install.log", "Shell Link: " + m_folders.userPrograms + "\\Legacy.lnk\r\n");

    // The new script ends with a line end: an empty line stands before the records.
    std::string script = std::string(kScript) + "\r\n";
    WriteFileBytes(m_pkg + "\\GlmUnInst.log", script);
    WriteFileBytes(m_pkg + "\\Glmr5.exe", "application v5.1");
    g_bNewInstall = FALSE;
    g_bDesktopIcon = FALSE;
    PerformInstall();

    EXPECT_FALSE(FileExists(m_folders.userDesktop + "\\" + kAppLink));
    EXPECT_FALSE(FileExists(m_inst + "\\old.dll"));
    EXPECT_FALSE(FileExists(m_folders.userPrograms + "\\Legacy.lnk"));
    EXPECT_EQ("keep", ReadFileText(m_inst + "\\keep.dll"));
    EXPECT_EQ("application v5.1", ReadFileText(m_inst + "\\Glmr5.exe"));
    EXPECT_EQ(script + "\r\n" + Records(m_folders.userPrograms, "", m_folders.userStartup), Log());
    ExpectGroupLinks(m_folders.userPrograms);
    ExpectAppLinkIn(m_folders.userStartup);
    ExpectRegistry("A");
}

TEST_F(InstallTest, ReinstallRemovesTheOldGroupWhenTheGroupChanged)
{
    PerformInstall();
    ASSERT_TRUE(FolderExists(m_folders.userPrograms + "\\Glimra 5"));
    g_bNewInstall = FALSE;
    g_strProgramGroup = "Tools\\Glimra 5";
    PerformInstall();
    EXPECT_FALSE(FolderExists(m_folders.userPrograms + "\\Glimra 5"));
    EXPECT_TRUE(FileExists(m_folders.userPrograms + "\\Tools\\Glimra 5\\" + kAppLink));
}

TEST_F(InstallTest, ProgramGroupIsNormalisedAndReplayedAwayUpToTheFirstFolderInUse)
{
    g_strProgramGroup = " \t\\Tools/Glimra 5\\ \r\n";
    g_bDesktopIcon = FALSE;
    g_bAutoStart = FALSE;
    PerformInstall();
    EXPECT_STREQ("Tools\\Glimra 5", g_strProgramGroup);
    std::string group = m_folders.userPrograms + "\\Tools\\Glimra 5";
    ASSERT_TRUE(FolderExists(group));
    EXPECT_TRUE(FileExists(group + "\\" + kAppLink));
    std::string log = Log();
    EXPECT_NE(std::string::npos, log.find("\r\nMade Dir: " + group + "\r\n")) << log;
    EXPECT_EQ(std::string::npos, log.find("Made Dir: " + m_folders.userPrograms + "\\Tools\r\n")) << log;

    // Both folders go when empty; the climb stops at the programs folder, which holds a file.
    UndoLinksAndMadeDirs((m_inst + "\\GlmUnInst.log").c_str());
    EXPECT_FALSE(FolderExists(group));
    EXPECT_FALSE(FolderExists(m_folders.userPrograms + "\\Tools"));
    EXPECT_TRUE(FileExists(m_folders.userPrograms + "\\other.lnk"));

    // Again, with something else in Tools: the group goes, Tools stays.
    PerformInstall();
    WriteFileBytes(m_folders.userPrograms + "\\Tools\\other tool.lnk", "x");
    UndoLinksAndMadeDirs((m_inst + "\\GlmUnInst.log").c_str());
    EXPECT_FALSE(FolderExists(group));
    EXPECT_TRUE(FileExists(m_folders.userPrograms + "\\Tools\\other tool.lnk"));
}

TEST_F(InstallTest, ExistingGroupFolderIsStillRecorded)
{
    MakeFolders(m_folders.userPrograms + "\\Glimra 5");
    PerformInstall();
    EXPECT_NE(std::string::npos, Log().find("\r\nMade Dir: " + m_folders.userPrograms + "\\Glimra 5\r\n"));
    ExpectGroupLinks(m_folders.userPrograms);
}

TEST_F(InstallTest, GroupThatCannotBeMadeIsRecordedWithoutGroupLinks)
{
    // A file where the group folder should be.
    WriteFileBytes(m_folders.userPrograms + "\\Glimra 5", "in the way");
    PerformInstall();
    EXPECT_EQ(std::string(kScript) + "\r\nMade Dir: " + m_folders.userPrograms + "\\Glimra 5\r\n" +
              "Shell Link: " + m_folders.userDesktop + "\\" + kAppLink + "\r\n" +
              "Shell Link: " + m_folders.userStartup + "\\" + kAppLink + "\r\n", Log());
    RemoveTree(m_folders.userPrograms + "\\Glimra 5");
}

// A group that is empty or climbs out of the programs folder makes no group: no folder, no
// "Made Dir: " record (whose replay would remove the programs folder or one above it), no group
// shortcuts. The other shortcuts are still made.
TEST_F(InstallTest, EmptyOrClimbingGroupMakesNoGroup)
{
    const std::string above = m_folders.userPrograms.substr(0, m_folders.userPrograms.rfind('\\'));
    for (const char* group : { "", " \\ ", "..", "..\\Elsewhere", "Tools\\..\\..\\Elsewhere", "C:\\Elsewhere" }) {
        SCOPED_TRACE(std::string("group \"") + group + "\"");
        g_strProgramGroup = group;
        PerformInstall();
        EXPECT_EQ(std::string(kScript) + "\r\n" +
                  "Shell Link: " + m_folders.userDesktop + "\\" + kAppLink + "\r\n" +
                  "Shell Link: " + m_folders.userStartup + "\\" + kAppLink + "\r\n", Log());
        EXPECT_FALSE(FolderExists(above + "\\Elsewhere"));
        EXPECT_FALSE(FolderExists("C:\\Elsewhere"));
    }
}

// An unset Desktop, Startup or Programs folder makes no shortcut or group in the root of the
// current drive.
TEST_F(InstallTest, UnsetShellFoldersMakeNothingInTheDriveRoot)
{
    m_box.SetShellFolder(false, "Desktop", "");
    m_box.DeleteShellFolder(false, "Startup");
    ASSERT_TRUE(SetCurrentDirectoryA(m_box.Root().c_str()));
    PerformInstall();
    EXPECT_FALSE(FileExists("C:\\Glimra 5.lnk"));
    EXPECT_EQ(std::string(kScript) + "\r\n" + Records(m_folders.userPrograms, "", ""), Log());

    m_box.DeleteShellFolder(false, "Programs");
    g_bNewInstall = FALSE;
    PerformInstall();
    EXPECT_FALSE(FolderExists("C:\\Glimra 5"));
    EXPECT_FALSE(FileExists("C:\\Glimra 5.lnk"));
    EXPECT_EQ(std::string(kScript) + "\r\n", Log());
    EXPECT_STREQ("Glimra 5", g_strProgramGroup);
}

TEST_F(InstallTest, SettingsFileNeedsAPackagePathWithAFolder)
{
    WriteFileBytes(m_box.Path("Glmr5.ini"), "x");
    SetCurrentDirectoryA(m_box.Root().c_str());
    SetEnvironmentVariableA("sfxname", "Glmr5.ini");
    PerformInstall();
    EXPECT_FALSE(FileExists(m_inst + "\\Glmr5.ini"));

    SetEnvironmentVariableA("sfxname", m_box.Path("nothing-here\\glimra5.exe").c_str());
    g_bNewInstall = FALSE;
    PerformInstall();
    EXPECT_FALSE(FileExists(m_inst + "\\Glmr5.ini"));
    EXPECT_EQ("application v5", ReadFileText(m_inst + "\\Glmr5.exe"));
}

} // namespace
