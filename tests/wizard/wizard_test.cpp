// The install wizard run modally in this process and walked by the UI robot from a second
// thread: page order, captions, Back, the cancel question, values kept across Back, the install
// step and Finish.
#include "wizardfixture.h"
#include <commctrl.h>
#include "engine/helpers.h"
#include "engine/names.h"
#include "resource.h"

namespace {

const char kAgreementUtf8[] = "Licenc 1. sor\r\nLicenc 2. sor árvíztűrő\r\n";

bool FirstLineIs(const std::string& text, const std::string& line)
{
    return text.substr(0, text.find_first_of("\r\n")) == line;
}

class WizardTest : public WizardFixture {
protected:
    static void ExpectWelcomeState(HWND frame)
    {
        EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == TXT_FRAME_CAPTION; }, kWait)) << WindowText(frame);
        EXPECT_FALSE(IsControlVisible(frame, IDC_BACK));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(frame, IDC_PICTURE)));
        EXPECT_EQ(TXT_NEXT, ControlText(frame, IDOK));
        EXPECT_EQ(TXT_CANCEL, ControlText(frame, IDCANCEL));
        EXPECT_TRUE(IsControlEnabled(frame, IDOK));
    }

    static void ExpectAgreementState(HWND frame)
    {
        EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == TXT_ACCEPT; }, kWait)) << WindowText(frame);
        EXPECT_EQ(TXT_YES, ControlText(frame, IDOK));
        EXPECT_EQ(TXT_NO, ControlText(frame, IDCANCEL));
        EXPECT_TRUE(IsControlVisible(frame, IDC_BACK));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(frame, IDC_PICTURE)));
        EXPECT_EQ(kAgreementUtf8, ControlText(ShownPage(frame), IDC_AGREEMENT_TEXT));
    }
};

// The program's manifest asks for the common controls of version 6, which the program loads before
// its first dialog: the wizard's buttons are then theirs, and only those answer BCM_GETIDEALSIZE.
TEST_F(WizardTest, ButtonsAreCommonControls6)
{
    LoadCommonControls();
    RunWizard([&](HWND frame) {
        for (int id : {IDOK, IDCANCEL, IDC_BACK}) {
            SIZE ideal = {};
            EXPECT_TRUE(SendMessageA(GetDlgItem(frame, id), BCM_GETIDEALSIZE, 0, (LPARAM)&ideal)) << "button " << id;
            EXPECT_GT(ideal.cx, 0) << "button " << id;
        }
    });
}

TEST_F(WizardTest, WalkBackAndForthInstallAndFinishWithRunNow)
{
    MakeFolders(m_box.Path("common\\Programs\\Beta group"));
    MakeFolders(m_box.Path("common\\Programs\\Alpha group"));
    WriteFileBytes(m_box.Path("common\\Programs\\Loose.lnk"), "x");
    MakeFolders(m_box.Path("user\\Programs\\Own group"));
    // Only "." and ".." themselves are passed over, not a name that merely collates like them.
    const char dotSoftHyphen[] = ".\xad";
    MakeFolders(m_box.Path("user\\Programs\\") + dotSoftHyphen);
    g_bRunAfter = FALSE;

    INT_PTR result = RunWizard([&](HWND frame) {
        // Start: the welcome page with the version banner, Next focused.
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        ExpectWelcomeState(frame);
        EXPECT_EQ(GetDlgItem(frame, IDOK), FocusOf(frame));
        std::string banner = ControlText(ShownPage(frame), IDC_VERSION_TEXT);
        EXPECT_TRUE(FirstLineIs(banner, "Glimra ver. 5.40.06 ")) << banner;
        EXPECT_EQ(std::string::npos, banner.find("Beta")) << banner;

        // Agreement, then Back to the welcome page.
        Next(frame, IDC_AGREEMENT_TEXT);
        ExpectAgreementState(frame);
        Back(frame, IDC_VERSION_TEXT);
        ExpectWelcomeState(frame);

        // Install type; Back returns to the agreement with its captions.
        Next(frame, IDC_AGREEMENT_TEXT);
        Next(frame, IDC_BROWSE);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == TXT_FRAME_CAPTION; }, kWait)) << WindowText(frame);
        EXPECT_EQ(TXT_NEXT, ControlText(frame, IDOK));
        EXPECT_EQ(TXT_CANCEL, ControlText(frame, IDCANCEL));
        HWND page = ShownPage(frame);
        EXPECT_EQ(m_box.Path("target\\Glimra 5"), ControlText(page, IDC_FOLDER));
        EXPECT_EQ(BST_CHECKED, ControlCheckState(page, IDC_JUST_ME));
        EXPECT_EQ(BST_UNCHECKED, ControlCheckState(page, IDC_ALL_USERS));
        Back(frame, IDC_AGREEMENT_TEXT);
        ExpectAgreementState(frame);
        Next(frame, IDC_BROWSE);

        // All users: the group page lists the common Programs folder's folders, sorted.
        page = ShownPage(frame);
        SetButtonCheck(page, IDC_JUST_ME, false);
        SetButtonCheck(page, IDC_ALL_USERS, true);
        Next(frame, IDC_GROUP_COMBO);
        page = ShownPage(frame);
        HWND combo = GetDlgItem(page, IDC_GROUP_COMBO);
        EXPECT_EQ("Glimra 5", WindowText(combo));
        ASSERT_EQ(2, (int)SendMessageA(combo, CB_GETCOUNT, 0, 0));
        char item[MAX_PATH];
        SendMessageA(combo, CB_GETLBTEXT, 0, (LPARAM)item);
        EXPECT_STREQ("Alpha group", item);
        SendMessageA(combo, CB_GETLBTEXT, 1, (LPARAM)item);
        EXPECT_STREQ("Beta group", item);
        EXPECT_EQ(BST_UNCHECKED, ControlCheckState(page, IDC_AUTOSTART));
        EXPECT_EQ(BST_CHECKED, ControlCheckState(page, IDC_DESKTOP_ICON));
        SetWindowTextA(combo, "Tools\\My group");
        SetButtonCheck(page, IDC_AUTOSTART, true);
        SetButtonCheck(page, IDC_DESKTOP_ICON, false);

        // Back to the install type keeps all users; the user's own list after switching back.
        Back(frame, IDC_BROWSE);
        page = ShownPage(frame);
        EXPECT_EQ(BST_CHECKED, ControlCheckState(page, IDC_ALL_USERS));
        SetButtonCheck(page, IDC_ALL_USERS, false);
        SetButtonCheck(page, IDC_JUST_ME, true);
        Next(frame, IDC_GROUP_COMBO);
        page = ShownPage(frame);
        combo = GetDlgItem(page, IDC_GROUP_COMBO);
        EXPECT_EQ("Tools\\My group", WindowText(combo));
        ASSERT_EQ(2, (int)SendMessageA(combo, CB_GETCOUNT, 0, 0));
        EXPECT_LE(0, (int)SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"Own group"));
        EXPECT_LE(0, (int)SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)dotSoftHyphen));
        EXPECT_EQ(BST_CHECKED, ControlCheckState(page, IDC_AUTOSTART));
        EXPECT_EQ(BST_UNCHECKED, ControlCheckState(page, IDC_DESKTOP_ICON));

        // Ready page, Back and forth, and the cancel question answered No.
        Next(frame, IDC_READY_TEXT);
        Back(frame, IDC_GROUP_COMBO);
        EXPECT_EQ("Tools\\My group", ControlText(ShownPage(frame), IDC_GROUP_COMBO));
        Next(frame, IDC_READY_TEXT);
        ASSERT_TRUE(Press(frame, IDCANCEL));
        MessageBoxView question = WaitForQuestion(GetCurrentProcessId(), kWait);
        ASSERT_TRUE(question.window);
        EXPECT_EQ(TXT_CONFIRM_CANCEL, question.text);
        EXPECT_EQ(TXT_APP_TITLE, question.caption);
        ASSERT_TRUE(Answer(question, IDNO, kWait));
        EXPECT_TRUE(IsWindow(frame));
        page = ShownPage(frame);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_READY_TEXT)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_RUN_NOW)));
        EXPECT_FALSE(FolderExists(m_box.Path("target\\Glimra 5")));

        // The install step.
        ASSERT_TRUE(Press(frame, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(frame, IDOK) == TXT_FINISH; }, 15000)) << ControlText(frame, IDOK);
        page = ShownPage(frame);
        EXPECT_FALSE(IsControlEnabled(frame, IDC_BACK));
        EXPECT_FALSE(IsControlEnabled(frame, IDCANCEL));
        EXPECT_TRUE(IsControlEnabled(frame, IDOK));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_RUN_NOW)));
        EXPECT_EQ(BST_UNCHECKED, (int)SendMessageA(GetDlgItem(page, IDC_RUN_NOW), BM_GETCHECK, 0, 0));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_PLEASE_WAIT)));
        EXPECT_EQ(TXT_INSTALLED_OK, WindowText(GetDlgItem(page, IDC_READY_TEXT)));
        EXPECT_EQ(TXT_CHOOSE_FINISH, WindowText(GetDlgItem(page, IDC_READY_HINT)));
        EXPECT_EQ(GetDlgItem(frame, IDOK), FocusOf(frame));
        EXPECT_TRUE(FileExists(m_box.Path("target\\Glimra 5\\Glmr5.exe")));

        SendMessageA(GetDlgItem(page, IDC_RUN_NOW), BM_SETCHECK, BST_CHECKED, 0);
        ASSERT_TRUE(Press(frame, IDOK));
        WaitUntil([&] { return !IsWindow(frame); }, kWait);
    });

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, g_bRunAfter);
    EXPECT_EQ(0, g_bAllUsers);
    EXPECT_EQ(1, g_bAutoStart);
    EXPECT_EQ(0, g_bDesktopIcon);
    EXPECT_STREQ("Tools\\My group", g_strProgramGroup);
    m_box.AddProgramGroup("Tools\\My group");
}

TEST_F(WizardTest, FinishWithoutRunNowClearsTheOption)
{
    g_bRunAfter = TRUE;   // as from "-runafter": the box alone decides
    INT_PTR result = RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        Next(frame, IDC_AGREEMENT_TEXT);
        Next(frame, IDC_BROWSE);
        Next(frame, IDC_GROUP_COMBO);
        // An empty group name is kept as it is.
        SetWindowTextA(GetDlgItem(ShownPage(frame), IDC_GROUP_COMBO), "");
        Next(frame, IDC_READY_TEXT);
        ASSERT_TRUE(Press(frame, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(frame, IDOK) == TXT_FINISH; }, 15000)) << ControlText(frame, IDOK);
        EXPECT_EQ(BST_UNCHECKED, ControlCheckState(ShownPage(frame), IDC_RUN_NOW));
        ASSERT_TRUE(Press(frame, IDOK));
        WaitUntil([&] { return !IsWindow(frame); }, kWait);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, g_bRunAfter);
    EXPECT_STREQ("", g_strProgramGroup);
    EXPECT_TRUE(FileExists(m_box.Path("target\\Glimra 5\\Glmr5.exe")));
}

// A folder where the application's file belongs makes the installation fail: the page says that it
// failed and was undone, names the file and the system's reason, and offers no start of Glimra 5.
TEST_F(WizardTest, AFailedInstallationSaysSoAndOffersNoStart)
{
    MakeFolders(m_box.Path("target\\Glimra 5\\Glmr5.exe"));
    g_bRunAfter = TRUE;   // as from "-runafter"
    INT_PTR result = RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        Next(frame, IDC_AGREEMENT_TEXT);
        Next(frame, IDC_BROWSE);
        Next(frame, IDC_GROUP_COMBO);
        Next(frame, IDC_READY_TEXT);
        ASSERT_TRUE(Press(frame, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(frame, IDOK) == TXT_FINISH; }, 15000)) << ControlText(frame, IDOK);
        HWND page = ShownPage(frame);
        EXPECT_EQ(TXT_INSTALL_FAILED, ControlText(page, IDC_READY_TEXT));
        EXPECT_EQ(TXT_CLOSE_SETUP, ControlText(page, IDC_READY_HINT));
        std::string failure = ControlText(page, IDC_PLEASE_WAIT);
        EXPECT_TRUE(IsControlVisible(page, IDC_PLEASE_WAIT));
        EXPECT_EQ(0u, failure.find(std::string(TXT_FIRST_FAILURE) + m_box.Path("target\\Glimra 5\\Glmr5.exe: ")))
            << failure;
        EXPECT_NE(std::string::npos, failure.find("(183)")) << failure;
        EXPECT_FALSE(IsControlVisible(page, IDC_RUN_NOW));
        ASSERT_TRUE(Press(frame, IDOK));
        WaitUntil([&] { return !IsWindow(frame); }, kWait);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, g_bRunAfter);
    EXPECT_FALSE(FileExists(m_box.Path("target\\Glimra 5\\GlmUnInst.log"))) << "the copied log was not undone";
    EXPECT_EQ("", std::string(ReadRegString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY "\\" UNINSTALL_ENTRY_NAME, "DisplayName")));
}

TEST_F(WizardTest, NoOnAgreementAsksAndYesCancelsWithNothingInstalled)
{
    INT_PTR result = RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        Next(frame, IDC_AGREEMENT_TEXT);
        ASSERT_TRUE(Press(frame, IDCANCEL));   // "Nem"
        MessageBoxView question = WaitForQuestion(GetCurrentProcessId(), kWait);
        ASSERT_TRUE(question.window);
        EXPECT_EQ(TXT_CONFIRM_CANCEL, question.text);
        EXPECT_EQ(TXT_APP_TITLE, question.caption);
        EXPECT_EQ((std::vector<int>{ IDYES, IDNO }), question.buttons);
        // No is the default button, and the icon is the question mark (the system's message box
        // shows it in its icon static, 0x440; shared icons are one handle within a process).
        LONG noStyle = GetWindowLongA(GetDlgItem(question.window, IDNO), GWL_STYLE) & BS_TYPEMASK;
        EXPECT_EQ(BS_DEFPUSHBUTTON, noStyle);
        HICON icon = (HICON)SendDlgItemMessageA(question.window, 0x440, STM_GETICON, 0, 0);
        EXPECT_EQ(LoadIconA(nullptr, (LPCSTR)IDI_QUESTION), icon);
        ASSERT_TRUE(Answer(question, IDNO, kWait));
        ExpectAgreementState(frame);
        ASSERT_TRUE(Press(frame, IDCANCEL));
        question = WaitForQuestion(GetCurrentProcessId(), kWait);
        ASSERT_TRUE(question.window);
        ASSERT_TRUE(Answer(question, IDYES, kWait));
        WaitUntil([&] { return !IsWindow(frame); }, kWait);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(FolderExists(m_box.Path("target\\Glimra 5")));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe"));
    EXPECT_FALSE(FolderExists(m_box.Path("user\\Programs\\Glimra 5")));
}

TEST_F(WizardTest, BetaBannerAndReinstallHint)
{
    g_FileVersion = { 5, 41, 2, 7 };
    g_bNewInstall = FALSE;
    MakeFolders(m_box.Path("target\\Glimra 5"));
    WriteFileBytes(m_box.Path("target\\Glimra 5\\Glmr5.exe"), "old");
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        std::string banner = ControlText(ShownPage(frame), IDC_VERSION_TEXT);
        EXPECT_TRUE(FirstLineIs(banner, "Glimra ver. 5.41.02 Beta 7")) << banner;
        Next(frame, IDC_AGREEMENT_TEXT);
        Next(frame, IDC_BROWSE);
        EXPECT_EQ(TXT_FOLDER_HAS_OLD, ControlText(ShownPage(frame), IDC_FOLDER_HINT));
    });
}

}  // namespace

namespace {

// The shell's folder browser opened from the install-type page: a dialog of this process with a
// tree of folders.
HWND WaitForFolderBrowser(HWND frame)
{
    HWND browser = nullptr;
    WaitUntil([&] {
        for (HWND window : TopWindowsOfProcess(GetCurrentProcessId())) {
            if (window == frame || !IsWindowVisible(window) || WindowClass(window) != DIALOG_CLASS) continue;
            if (FindWindowExA(window, nullptr, "SysTreeView32", nullptr) ||
                FindWindowExA(FindWindowExA(window, nullptr, nullptr, nullptr), nullptr, "SysTreeView32", nullptr)) {
                browser = window;
                return true;
            }
        }
        return false;
    }, 5000);
    return browser;
}

// The text of the folder tree's selected item; empty when nothing is selected yet.
std::string SelectedFolderName(HWND browser)
{
    HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    if (!tree) tree = FindWindowExA(FindWindowExA(browser, nullptr, nullptr, nullptr), nullptr, "SysTreeView32", nullptr);
    HTREEITEM item = tree ? TreeView_GetSelection(tree) : nullptr;
    if (!item) return std::string();
    char text[MAX_PATH] = {};
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&data);
    return text;
}

// Opens the browser, checks that the installation folder exists meanwhile, waits until the
// browser has selected it, presses the button. Wine's browser now and then leaves its tree at the
// root instead of taking the selection it is sent; such a pass is cancelled (which changes nothing
// on the page) and the browser opened again.
void BrowseAndPress(HWND frame, const std::string& installDir, int button)
{
    std::string leaf = installDir.substr(installDir.find_last_of('\\') + 1);
    for (int attempt = 1;; ++attempt) {
        ASSERT_TRUE(Press(ShownPage(frame), IDC_BROWSE));
        HWND browser = WaitForFolderBrowser(frame);
        ASSERT_TRUE(browser) << "no folder browser";
        EXPECT_TRUE(FolderExists(installDir)) << installDir;
        bool selected = WaitUntil([&] { return SelectedFolderName(browser) == leaf; }, 3000);
        if (!selected && attempt < 3) {
            ASSERT_TRUE(PressButtonById(browser, IDCANCEL));
            ASSERT_TRUE(WaitForWindowGone(browser, 5000));
            continue;
        }
        EXPECT_TRUE(selected) << "selected: " << SelectedFolderName(browser) << ", expected: " << leaf;
        ASSERT_TRUE(PressButtonById(browser, button));
        ASSERT_TRUE(WaitForWindowGone(browser, 5000));
        return;
    }
}

}  // namespace

TEST_F(WizardTest, FolderBrowserPreselectsAndAppliesTheRules)
{
    // A non-empty folder without the application gets the product's sub-folder.
    std::string full = m_box.Path("full");
    MakeFolders(full);
    WriteFileBytes(full + "\\notes.txt", "x");
    std::string empty = m_box.Path("emptyone");
    MakeFolders(empty);
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
        Next(frame, IDC_AGREEMENT_TEXT);
        Next(frame, IDC_BROWSE);

        // OK on the pre-selected, temporarily created folder keeps it; it is removed again.
        std::string first = m_box.Path("target\\Glimra 5");
        BrowseAndPress(frame, first, IDOK);
        // The page takes the choice after the browser's window is gone.
        EXPECT_TRUE(WaitUntil([&] { return ControlText(ShownPage(frame), IDC_FOLDER) == first; }, kWait))
            << ControlText(ShownPage(frame), IDC_FOLDER);
        EXPECT_FALSE(FolderExists(first));
        EXPECT_STREQ(first.c_str(), g_strInstallDir);

        // Pre-selecting an existing non-empty folder and taking it appends "\Glimra 5".
        g_strInstallDir = full.c_str();
        BrowseAndPress(frame, full, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(ShownPage(frame), IDC_FOLDER) == full + "\\Glimra 5"; }, kWait))
            << ControlText(ShownPage(frame), IDC_FOLDER);
        EXPECT_STREQ((full + "\\Glimra 5").c_str(), g_strInstallDir);
        EXPECT_TRUE(FileExists(full + "\\notes.txt"));

        // Cancelling the browser on an existing empty folder removes that folder and changes nothing.
        g_strInstallDir = empty.c_str();
        BrowseAndPress(frame, empty, IDCANCEL);
        EXPECT_TRUE(WaitUntil([&] { return !FolderExists(empty); }, kWait)) << empty;
        EXPECT_STREQ(empty.c_str(), g_strInstallDir);
        EXPECT_EQ(full + "\\Glimra 5", ControlText(ShownPage(frame), IDC_FOLDER));
    });
}
