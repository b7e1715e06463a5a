// The uninstall driver: installations made by the install transaction, fixed-name shortcuts and
// image file types taken over, all removed or restored for real under Wine.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <memory>
#include "engine/install.h"
#include "engine/settings.h"
#include "regbackup.h"
#include "samplepackage.h"
#include "sandbox.h"
#include "uninstall/uninstall.h"

namespace {

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char* const kImageExtensions[] = { ".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif", ".tiff",
                                         ".png", ".cmp", ".tga", ".wpg" };
const char kAppLink[] = "Glimra 5.lnk";
const UINT WM_SHELL_NOTICE = WM_APP + 1;

// Counts the file-association notices the shell sends while it lives.
class AssocNoticeCounter {
public:
    AssocNoticeCounter()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "GlmTestNoticeCounter";
        RegisterClassA(&wc);
        m_window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SHChangeNotifyEntry entry = { nullptr, TRUE };
        m_id = SHChangeNotifyRegister(m_window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery,
                                      SHCNE_ASSOCCHANGED, WM_SHELL_NOTICE, 1, &entry);
        s_count = 0;
    }
    ~AssocNoticeCounter()
    {
        if (m_id) SHChangeNotifyDeregister(m_id);
        DestroyWindow(m_window);
    }
    bool Registered() const { return m_id != 0; }
    // Delivers what has arrived within the time and returns the count.
    int Count(DWORD waitMs = 300)
    {
        DWORD end = GetTickCount() + waitMs;
        MSG msg;
        while ((int)(end - GetTickCount()) > 0) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(10);
        }
        return s_count;
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m == WM_SHELL_NOTICE) {
            LONG event = 0;
            PIDLIST_ABSOLUTE* items = nullptr;
            HANDLE lock = SHChangeNotification_Lock((HANDLE)wp, (DWORD)lp, &items, &event);
            if (event & SHCNE_ASSOCCHANGED) s_count++;
            if (lock) SHChangeNotification_Unlock(lock);
            return 0;
        }
        return DefWindowProcA(w, m, wp, lp);
    }
    HWND m_window = nullptr;
    ULONG m_id = 0;
    static int s_count;
};
int AssocNoticeCounter::s_count = 0;

class UninstallTest : public ::testing::Test {
protected:
    Sandbox m_box{"uninstall"};
    std::string m_pkg, m_inst;
    ShellFolderPaths m_folders;
    char m_savedDir[MAX_PATH] = {};
    // The per-user file types and the classes' image types as they were, put back after each case.
    std::vector<std::unique_ptr<RegKeyBackup>> m_fileTypes;

    void SetUp() override
    {
        m_folders = m_box.RedirectShellFolders();
        m_pkg = m_box.Path("pkg");
        m_inst = m_box.Path("Program Files\\Glimra 5");
        WriteFileBytes(m_folders.userPrograms + "\\other.lnk", "x");
        WriteFileBytes(m_folders.commonPrograms + "\\other.lnk", "x");
        GetCurrentDirectoryA(MAX_PATH, m_savedDir);
        m_fileTypes.emplace_back(new RegKeyBackup(HKEY_CURRENT_USER, kFileExts));
        for (const char* ext : kImageExtensions) m_fileTypes.emplace_back(new RegKeyBackup(HKEY_CLASSES_ROOT, ext));
        m_fileTypes.emplace_back(new RegKeyBackup(HKEY_CLASSES_ROOT, ".xyz"));
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(m_savedDir);
        m_fileTypes.clear();
    }

    void Install(bool allUsers)
    {
        MakeSamplePackage(m_pkg);
        SetNewInstallSettings(m_pkg, m_inst, allUsers);
        PerformInstall();
        ASSERT_TRUE(FileExists(m_inst + "\\Glmr5.exe"));
        ASSERT_TRUE(FileExists((allUsers ? m_folders.commonDesktop : m_folders.userDesktop) + "\\" + kAppLink));
    }

    void Uninstall() { RunUninstall((m_inst + "\\").c_str()); }

    void ExpectNoProductRegistry()
    {
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvane"));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5"));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe"));
    }

    void ExpectNoShortcuts()
    {
        for (const std::string& programs : { m_folders.userPrograms, m_folders.commonPrograms }) {
            EXPECT_FALSE(FolderExists(programs + "\\Glimra 5")) << programs;
            EXPECT_TRUE(FileExists(programs + "\\other.lnk")) << programs;
        }
        for (const std::string& folder : { m_folders.userDesktop, m_folders.userStartup, m_folders.commonDesktop, m_folders.commonStartup })
            EXPECT_FALSE(FileExists(folder + "\\" + kAppLink)) << folder;
    }

    // The extension's key under FileExts (perUser) or HKEY_CLASSES_ROOT.
    static std::string ExtKey(bool perUser, const char* ext)
    {
        return perUser ? std::string(kFileExts) + "\\" + ext : std::string(ext);
    }
};

TEST_F(UninstallTest, RoundTripRemovesEverythingOfAPerUserInstallation)
{
    Install(false);
    ASSERT_TRUE(SetCurrentDirectoryA(m_inst.c_str()));
    Uninstall();
    EXPECT_FALSE(FolderExists(m_inst));
    EXPECT_TRUE(FolderExists(m_box.Path("Program Files")));
    ExpectNoShortcuts();
    ExpectNoProductRegistry();
}

TEST_F(UninstallTest, RoundTripRemovesEverythingOfAnAllUsersInstallation)
{
    Install(true);
    Uninstall();
    EXPECT_FALSE(FolderExists(m_inst));
    ExpectNoShortcuts();
    ExpectNoProductRegistry();
}

TEST_F(UninstallTest, FilesTheUserMadeSurviveWithTheirFolder)
{
    Install(false);
    WriteFileBytes(m_inst + "\\capture 1.png", "mine");
    WriteFileBytes(m_inst + "\\Help\\notes.txt", "mine too");
    Uninstall();
    EXPECT_EQ("mine", ReadFileText(m_inst + "\\capture 1.png"));
    EXPECT_EQ("mine too", ReadFileText(m_inst + "\\Help\\notes.txt"));
    EXPECT_FALSE(FileExists(m_inst + "\\Glmr5.exe"));
    EXPECT_FALSE(FileExists(m_inst + "\\readme.txt"));
    EXPECT_FALSE(FileExists(m_inst + "\\Help\\a.htm"));
    EXPECT_FALSE(FileExists(m_inst + "\\GlmUnInst.log"));
    ExpectNoShortcuts();
    ExpectNoProductRegistry();
}

TEST_F(UninstallTest, ReadOnlyLogIsDeletedAndLegacyLogReplayed)
{
    MakeFolders(m_inst);
    WriteFileBytes(m_folders.userDesktop + "\\Legacy Glimra.lnk", "x");
    WriteFileBytes(m_inst + "\\legacy.dll", "x");
    WriteFileBytes(m_inst + "\\install.log", "File Copy: legacy.dll\r\nShell Link: " + m_folders.userDesktop + "\\Legacy Glimra.lnk\r\n");
    WriteFileBytes(m_inst + "\\GlmUnInst.log", "File Copy: install.log\r\n");
    SetFileAttributesA((m_inst + "\\GlmUnInst.log").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Uninstall();
    EXPECT_FALSE(FileExists(m_folders.userDesktop + "\\Legacy Glimra.lnk"));
    EXPECT_FALSE(FolderExists(m_inst));
}

TEST_F(UninstallTest, LegacyLogIsNotDeletedByName)
{
    MakeFolders(m_inst);
    WriteFileBytes(m_inst + "\\install.log", "File Copy: legacy.dll\r\n");
    WriteFileBytes(m_inst + "\\legacy.dll", "x");
    Uninstall();
    EXPECT_FALSE(FileExists(m_inst + "\\legacy.dll"));
    EXPECT_TRUE(FileExists(m_inst + "\\install.log"));
}

TEST_F(UninstallTest, WithoutLogsTheFixedNameShortcutsAndGroupsStillGo)
{
    MakeFolders(m_inst);
    for (const std::string& folder : { m_folders.userDesktop, m_folders.userStartup, m_folders.commonDesktop, m_folders.commonStartup }) {
        WriteFileBytes(folder + "\\" + kAppLink, "x");
        WriteFileBytes(folder + "\\Other.lnk", "x");
    }
    MakeFolders(m_folders.userPrograms + "\\Glimra 5");
    WriteFileBytes(m_folders.userPrograms + "\\Glimra 5\\a.lnk", "x");
    WriteFileBytes(m_folders.userPrograms + "\\Glimra 5\\b.txt", "x");
    SetFileAttributesA((m_folders.userPrograms + "\\Glimra 5\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    // The common group holds a sub-folder: its files go, the group stays.
    MakeFolders(m_folders.commonPrograms + "\\Glimra 5\\Extras");
    WriteFileBytes(m_folders.commonPrograms + "\\Glimra 5\\a.lnk", "x");
    WriteFileBytes(m_folders.commonPrograms + "\\Glimra 5\\Extras\\c.lnk", "x");

    Uninstall();
    EXPECT_FALSE(FolderExists(m_inst));
    for (const std::string& folder : { m_folders.userDesktop, m_folders.userStartup, m_folders.commonDesktop, m_folders.commonStartup }) {
        EXPECT_FALSE(FileExists(folder + "\\" + kAppLink)) << folder;
        EXPECT_TRUE(FileExists(folder + "\\Other.lnk")) << folder;
    }
    EXPECT_FALSE(FolderExists(m_folders.userPrograms + "\\Glimra 5"));
    EXPECT_FALSE(FileExists(m_folders.commonPrograms + "\\Glimra 5\\a.lnk"));
    EXPECT_TRUE(FileExists(m_folders.commonPrograms + "\\Glimra 5\\Extras\\c.lnk"));
}

TEST_F(UninstallTest, EveryLoadedProfileLosesItsShortcuts)
{
    const std::string defaultFolders = ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    std::string desktop = m_box.Path("default\\Desktop"), startup = m_box.Path("default\\Startup");
    std::string programs = m_box.Path("default\\Programs");
    for (const std::string& folder : { desktop, startup, programs + "\\Glimra 5" }) MakeFolders(folder);
    m_box.OverrideValue(HKEY_USERS, defaultFolders, "Desktop", desktop);
    m_box.OverrideValue(HKEY_USERS, defaultFolders, "Startup", startup);
    m_box.OverrideValue(HKEY_USERS, defaultFolders, "Programs", programs);
    WriteFileBytes(desktop + "\\" + kAppLink, "x");
    WriteFileBytes(startup + "\\" + kAppLink, "x");
    WriteFileBytes(programs + "\\Glimra 5\\" + kAppLink, "x");
    WriteFileBytes(m_folders.userDesktop + "\\" + kAppLink, "x");

    Uninstall();
    EXPECT_FALSE(FileExists(desktop + "\\" + kAppLink));
    EXPECT_FALSE(FileExists(startup + "\\" + kAppLink));
    EXPECT_FALSE(FolderExists(programs + "\\Glimra 5"));
    EXPECT_TRUE(FolderExists(programs));
    EXPECT_FALSE(FileExists(m_folders.userDesktop + "\\" + kAppLink));
}

TEST_F(UninstallTest, NotEmptyInstallationFolderWithoutLogStays)
{
    MakeFolders(m_inst);
    WriteFileBytes(m_inst + "\\settings.dat", "x");
    Uninstall();
    EXPECT_TRUE(FileExists(m_inst + "\\settings.dat"));
}

// The same cases, once in the per-user FileExts key ("Application" values) and once in the
// classes' default values when that key is missing.
void CheckFileTypeRestore(bool perUser)
{
    const HKEY root = perUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
    const char* inspected = perUser ? "Application" : nullptr;
    auto key = [&](const char* ext) { return perUser ? std::string(kFileExts) + "\\" + ext : std::string(ext); };

    RegSetString(root, key(".jpg"), inspected, "C:\\Program Files\\Glimra 5\\Glmr5.exe");
    RegSetString(root, key(".jpg"), "GlmrOld", "jpegfile");
    RegSetString(root, key(".png"), inspected, "Glmr5.exe \"%1\"");
    RegSetString(root, key(".tif"), inspected, "Glmr5.exe");
    RegSetString(root, key(".tif"), "GlmrOld", "");
    RegSetString(root, key(".gif"), inspected, "other.exe");
    RegSetString(root, key(".gif"), "GlmrOld", "giffile");
    RegSetString(root, key(".bmp"), inspected, "glmr5.exe");       // other case: not taken over
    RegSetString(root, key(".bmp"), "GlmrOld", "Paint.Picture");
    RegSetString(root, key(".wpg"), inspected, "Glmr5.exe");
    RegSetString(root, key(".wpg"), "GlmrOld", std::string(600, 'w'));   // unreadable: value deleted
    RegSetString(root, key(".xyz"), inspected, "Glmr5.exe");       // not an image type of the table
    RegSetString(root, key(".xyz"), "GlmrOld", "xyzfile");

    AssocNoticeCounter notices;
    RunUninstall("C:\\glmtest\\uninstall\\nothing here\\");
    ASSERT_TRUE(notices.Registered());
    EXPECT_EQ(1, notices.Count());

    EXPECT_EQ("jpegfile", RegString(root, key(".jpg"), inspected));
    EXPECT_EQ("<missing>", RegString(root, key(".jpg"), "GlmrOld"));
    EXPECT_EQ("<missing>", RegString(root, key(".png"), inspected));
    EXPECT_EQ("<missing>", RegString(root, key(".tif"), inspected));
    EXPECT_EQ("<missing>", RegString(root, key(".tif"), "GlmrOld"));
    EXPECT_EQ("other.exe", RegString(root, key(".gif"), inspected));
    EXPECT_EQ("giffile", RegString(root, key(".gif"), "GlmrOld"));
    EXPECT_EQ("glmr5.exe", RegString(root, key(".bmp"), inspected));
    EXPECT_EQ("Paint.Picture", RegString(root, key(".bmp"), "GlmrOld"));
    EXPECT_EQ("<missing>", RegString(root, key(".wpg"), inspected));
    EXPECT_EQ("<missing>", RegString(root, key(".wpg"), "GlmrOld"));
    EXPECT_EQ("Glmr5.exe", RegString(root, key(".xyz"), inspected));
    EXPECT_EQ("xyzfile", RegString(root, key(".xyz"), "GlmrOld"));
    RegDeleteTree(root, key(".xyz"));
}

TEST_F(UninstallTest, PerUserFileTypesAreRestored)
{
    // The classes' values are not looked at while the per-user key exists.
    RegSetString(HKEY_CLASSES_ROOT, ".jpg", nullptr, "Glmr5.exe");
    RegSetString(HKEY_CLASSES_ROOT, ".jpg", "GlmrOld", "jpegfile");
    CheckFileTypeRestore(true);
    EXPECT_EQ("Glmr5.exe", RegString(HKEY_CLASSES_ROOT, ".jpg", nullptr));
    EXPECT_EQ("jpegfile", RegString(HKEY_CLASSES_ROOT, ".jpg", "GlmrOld"));
}

TEST_F(UninstallTest, ClassesFileTypesAreRestoredWithoutThePerUserKey)
{
    RegDeleteTree(HKEY_CURRENT_USER, kFileExts);
    ASSERT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kFileExts));
    CheckFileTypeRestore(false);
}

TEST_F(UninstallTest, NoNoticeWhenNoFileTypeWasTakenOver)
{
    RegSetString(HKEY_CURRENT_USER, ExtKey(true, ".gif"), "Application", "other.exe");
    AssocNoticeCounter notices;
    ASSERT_TRUE(notices.Registered());
    RunUninstall("C:\\glmtest\\uninstall\\nothing here\\");
    EXPECT_EQ(0, notices.Count());
    // The counter itself sees a notice.
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    EXPECT_EQ(1, notices.Count());
}

} // namespace
