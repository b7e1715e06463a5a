// Shell folder lookup, parent folders and shortcut files, against the real registry and real
// shortcut files under Wine.
#include <gtest/gtest.h>
#include <shlobj.h>
#include "engine/pathtext.h"
#include "engine/settings.h"
#include "engine/shelllink.h"
#include "sandbox.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class ShellLinkTest : public ::testing::Test {
protected:
    Sandbox m_box{"shell"};
    std::string m_logPath;

    void SetUp() override
    {
        MakeFolders(m_box.Path("inst"));
        g_strInstallDir = m_box.Path("inst").c_str();
        m_logPath = m_box.Path("inst\\GlmUnInst.log");
    }
    void TearDown() override { g_strInstallDir = ""; }
};

TEST(GetParentFolder, TakesTheFolderPartOfAPath)
{
    EXPECT_STREQ("C:\\A", GetParentFolder("C:\\A\\B"));
    EXPECT_STREQ("C:\\A", GetParentFolder("C:\\A\\B\\"));
    EXPECT_STREQ("C:", GetParentFolder("C:\\A"));
    EXPECT_STREQ("", GetParentFolder("A"));
    EXPECT_STREQ("", GetParentFolder("\\A"));
    EXPECT_STREQ("", GetParentFolder(nullptr));
    EXPECT_STREQ("", GetParentFolder(""));
    // Only the backslash separates.
    EXPECT_STREQ("C:\\x", GetParentFolder("C:\\x\\a/b"));
    EXPECT_STREQ("", GetParentFolder("C:/x/a"));
}

TEST_F(ShellLinkTest, ShellFolderComesFromTheRootOfTheChoice)
{
    m_box.SetShellFolder(false, "Programs", "C:\\user\\progs");
    m_box.SetShellFolder(true, "Common Programs", "C:\\common\\progs");
    EXPECT_STREQ("C:\\user\\progs", GetShellFolder(FALSE, "Programs"));
    EXPECT_STREQ("C:\\common\\progs", GetShellFolder(TRUE, "Common Programs"));
    // The value name is taken as given: no user value under the machine root.
    m_box.DeleteShellFolder(true, "Programs");
    EXPECT_STREQ("", GetShellFolder(TRUE, "Programs"));
}

TEST_F(ShellLinkTest, MissingOrOverlongShellFolderIsEmpty)
{
    m_box.DeleteShellFolder(true, "Common Programs");
    EXPECT_STREQ("", GetShellFolder(TRUE, "Common Programs"));
    m_box.SetShellFolder(false, "Desktop", "C:\\" + std::string(300, 'd'));
    EXPECT_STREQ("", GetShellFolder(FALSE, "Desktop"));
    ASSERT_EQ(303u, RegString(HKEY_CURRENT_USER, kShellFolders, "Desktop").size());
}

TEST_F(ShellLinkTest, SavesTheShortcutAndRecordsIt)
{
    std::string link = m_box.Path("Glimra 5.lnk");
    std::string target = m_box.Path("inst\\Glmr5.exe");
    HRESULT hr = CreateShellLink(target.c_str(), link.c_str(), "", SW_SHOWNORMAL, nullptr, nullptr);
    ASSERT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    ShortcutInfo info = ReadShortcut(link);
    ASSERT_TRUE(info.loaded) << link;
    EXPECT_EQ(target, info.target);
    EXPECT_EQ("", info.arguments);
    EXPECT_EQ("", info.workingDir);
    EXPECT_EQ("", info.description);
    EXPECT_EQ(SW_SHOWNORMAL, info.showCmd);
    EXPECT_EQ("Shell Link: " + link + "\r\n", ReadFileText(m_logPath));
}

TEST_F(ShellLinkTest, SetsShowCommandArgumentsFolderAndDescription)
{
    std::string link = m_box.Path("full.lnk");
    HRESULT hr = CreateShellLink("C:\\glmtest\\shell\\inst\\Glmr5.exe", link.c_str(), "Le\xedr\xe1s", SW_SHOWMAXIMIZED,
                                 "-x \"a b\"", "C:\\glmtest\\shell\\inst");
    ASSERT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    ShortcutInfo info = ReadShortcut(link);
    ASSERT_TRUE(info.loaded);
    EXPECT_EQ("C:\\glmtest\\shell\\inst\\Glmr5.exe", info.target);
    EXPECT_EQ("-x \"a b\"", info.arguments);
    EXPECT_EQ("C:\\glmtest\\shell\\inst", info.workingDir);
    EXPECT_EQ("Le\xedr\xe1s", info.description);
    EXPECT_EQ(SW_SHOWMAXIMIZED, info.showCmd);
}

TEST_F(ShellLinkTest, QuotesAroundTheTargetAreRemoved)
{
    std::string both = m_box.Path("both.lnk"), left = m_box.Path("left.lnk");
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("\"C:\\glmtest\\shell\\inst\\Glmr5.exe\"", both.c_str(), "", 1, nullptr, nullptr)));
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("\"C:\\glmtest\\shell\\inst\\readme.txt", left.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_EQ("C:\\glmtest\\shell\\inst\\Glmr5.exe", ReadShortcut(both).target);
    EXPECT_EQ("C:\\glmtest\\shell\\inst\\readme.txt", ReadShortcut(left).target);
}

TEST_F(ShellLinkTest, SameLinkPathTwiceLeavesOneShortcutAndTwoRecords)
{
    std::string link = m_box.Path("twice.lnk");
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("C:\\glmtest\\shell\\inst\\one.exe", link.c_str(), "", 1, nullptr, nullptr)));
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("C:\\glmtest\\shell\\inst\\two.exe", link.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_EQ("C:\\glmtest\\shell\\inst\\two.exe", ReadShortcut(link).target);
    EXPECT_EQ("Shell Link: " + link + "\r\nShell Link: " + link + "\r\n", ReadFileText(m_logPath));
}

TEST_F(ShellLinkTest, MissingFolderFailsWithoutFileOrRecord)
{
    std::string link = m_box.Path("nowhere\\x.lnk");
    HRESULT hr = CreateShellLink("C:\\glmtest\\shell\\inst\\Glmr5.exe", link.c_str(), "", 1, nullptr, nullptr);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_FALSE(FileExists(link));
    EXPECT_FALSE(FolderExists(m_box.Path("nowhere")));
    EXPECT_EQ("", ReadFileText(m_logPath));
}

TEST_F(ShellLinkTest, OverlongTargetOrLinkPathFailsWithoutFileOrRecord)
{
    std::string link = m_box.Path("long.lnk");
    std::string target = "C:\\" + std::string(509, 't');   // 512 bytes
    EXPECT_TRUE(FAILED(CreateShellLink(target.c_str(), link.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_FALSE(FileExists(link));
    // The quotes of a target that fits are removed as usual.
    std::string quoted = "\"" + std::string("C:\\") + std::string(200, 'q') + "\"";
    EXPECT_TRUE(SUCCEEDED(CreateShellLink(quoted.c_str(), link.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_EQ("C:\\" + std::string(200, 'q'), ReadShortcut(link).target);
    DeleteFileA(link.c_str());

    std::string longLink = m_box.Path(std::string(260, 'l') + ".lnk");
    EXPECT_TRUE(FAILED(CreateShellLink("C:\\glmtest\\shell\\inst\\Glmr5.exe", longLink.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_EQ("Shell Link: " + link + "\r\n", ReadFileText(m_logPath));
}

TEST_F(ShellLinkTest, RecordIsLostSilentlyWhenTheLogCannotBeOpened)
{
    g_strInstallDir = m_box.Path("missing-folder").c_str();
    std::string link = m_box.Path("unlogged.lnk");
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("C:\\glmtest\\shell\\inst\\Glmr5.exe", link.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_TRUE(ReadShortcut(link).loaded);
    EXPECT_FALSE(FolderExists(m_box.Path("missing-folder")));
}

// Defined last, so it runs last: it takes COM down on this thread to count the initialisations.
TEST_F(ShellLinkTest, ZzComIsInitialisedOnceForTheProcess)
{
    std::string a = m_box.Path("a.lnk"), b = m_box.Path("b.lnk");
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("C:\\glmtest\\shell\\inst\\a.exe", a.c_str(), "", 1, nullptr, nullptr)));
    ASSERT_TRUE(SUCCEEDED(CreateShellLink("C:\\glmtest\\shell\\inst\\b.exe", b.c_str(), "", 1, nullptr, nullptr)));
    // One CoUninitialize must end COM on this thread if CoInitialize ran only once.
    CoUninitialize();
    IUnknown* unknown = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&unknown);
    if (SUCCEEDED(hr)) unknown->Release();
    EXPECT_EQ(CO_E_NOTINITIALIZED, hr) << "COM still initialised: CoInitialize ran more than once";
    // A later shortcut fails now that COM is down, proving no further CoInitialize is made.
    std::string c = m_box.Path("c.lnk");
    EXPECT_TRUE(FAILED(CreateShellLink("C:\\glmtest\\shell\\inst\\c.exe", c.c_str(), "", 1, nullptr, nullptr)));
    EXPECT_FALSE(FileExists(c));
    CoInitialize(nullptr);
}

} // namespace
