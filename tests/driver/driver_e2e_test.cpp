// The installation run end to end: setup.exe started from a scratch package as a child process,
// its questions and wizard driven by the UI robot, the address it opens recorded by a stand-in
// browser registered as the http handler of the test prefix.
#include <gtest/gtest.h>
#include "sandbox.h"
#include "browserstandin.h"
#include "package.h"
#include "wizardrobot.h"
#include "wizardtexts.h"
#include "engine/names.h"
#include "instance/findwindow.h"
#include "resource.h"

namespace {

const DWORD kWait = 8000;
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe";

// The stand-in application of a version: "" (5.40.6.0), "v5.40.6.1", "v5.40.7.0", "noversion".
std::string StandInOfVersion(const std::string& variant)
{
    std::string path = StandInExePath();
    if (variant.empty()) return path;
    return path.substr(0, path.find_last_of('\\')) + "\\" + variant + "\\Glmr5.exe";
}

class DriverTest : public ::testing::Test {
protected:
    Sandbox m_box{"driver"};
    BrowserStandIn m_browser{m_box, GLM_URLRECORDER_EXE};

    void SetUp() override { m_box.RedirectShellFolders(); }

    // A package folder: setup.exe, the stand-in of that version, the sample package's files.
    std::string MakePackage(const std::string& name, const std::string& variant)
    {
        std::string dir = m_box.Path(name);
        EXPECT_TRUE(CopyBuiltPackage(dir, variant == "none" ? std::string() : StandInOfVersion(variant)));
        return dir;
    }

    // An earlier installation of that version, found through App Paths.
    std::string MakeInstalled(const std::string& variant)
    {
        std::string dir = m_box.Path("old\\Glimra 5");
        MakeFolders(dir);
        CopyFileA(StandInOfVersion(variant).c_str(), (dir + "\\Glmr5.exe").c_str(), FALSE);
        RegSetString(HKEY_LOCAL_MACHINE, kAppPathsKey, nullptr, dir + "\\Glmr5.exe");
        return dir;
    }

    ChildProcess StartSetup(const std::string& package, const std::string& arguments)
    {
        return StartProgram(package + "\\setup.exe", arguments);
    }

    HWND WaitForFrame(const ChildProcess& child)
    {
        WindowQuery query;
        query.caption = TXT_FRAME_CAPTION;
        query.className = DIALOG_CLASS;
        query.processId = child.id;
        HWND frame = WaitForTopWindow(query, kWait);
        if (frame) WaitForPageWith(frame, IDC_VERSION_TEXT, kWait);
        return frame;
    }

    static bool Next(HWND frame, int idOnNextPage)
    {
        return Press(frame, IDOK) && WaitForPageWith(frame, idOnNextPage, kWait);
    }

    // Answers the re-install question with Yes and waits for the wizard; null when either is missing.
    HWND AcceptQuestionAndWaitForFrame(const ChildProcess& child)
    {
        MessageBoxView question = WaitForQuestion(child.id, kWait);
        EXPECT_TRUE(question.window) << "no re-install question";
        if (!question.window || !Answer(question, IDYES, kWait)) return nullptr;
        return WaitForFrame(child);
    }

    // Next through the pages from the welcome page, the installation, Finish, and the end of the
    // program.
    static void InstallThroughWizard(HWND frame, ChildProcess& child)
    {
        ASSERT_TRUE(Next(frame, IDC_AGREEMENT_TEXT));
        ASSERT_TRUE(Next(frame, IDC_BROWSE));
        ASSERT_TRUE(Next(frame, IDC_GROUP_COMBO));
        ASSERT_TRUE(Next(frame, IDC_READY_TEXT));
        ASSERT_TRUE(Press(frame, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(frame, IDOK) == TXT_FINISH; }, 20000)) << ControlText(frame, IDOK);
        ASSERT_TRUE(Press(frame, IDOK));
        EXPECT_TRUE(WaitForExit(child, kWait));
    }

    // Cancels the wizard with Yes to the question and waits for the end of the program.
    static void CancelWizard(HWND frame, ChildProcess& child)
    {
        ASSERT_TRUE(Press(frame, IDCANCEL));
        MessageBoxView question = WaitForQuestion(child.id, kWait);
        ASSERT_TRUE(question.window) << "no cancel question";
        ASSERT_TRUE(Answer(question, IDYES, kWait));
        EXPECT_TRUE(WaitForExit(child, kWait));
    }

    std::vector<std::string> OpenedAddresses(size_t expected, DWORD waitMs) { return m_browser.Opened(expected, waitMs); }

    static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
};

// What the install-type and program-group pages show of the settings the driver made.
struct WizardView {
    std::string folder;
    int allUsers = -1;
    std::string hint;
    std::string group;
    int autoStart = -1;
    int desktopIcon = -1;
};

WizardView ReadWizardSettingsAndCancel(HWND frame, ChildProcess& child, void (*cancel)(HWND, ChildProcess&))
{
    WizardView view;
    EXPECT_TRUE(Press(frame, IDOK) && WaitForPageWith(frame, IDC_AGREEMENT_TEXT, kWait));
    EXPECT_TRUE(Press(frame, IDOK) && WaitForPageWith(frame, IDC_BROWSE, kWait));
    HWND page = ShownPage(frame);
    view.folder = ControlText(page, IDC_FOLDER);
    view.allUsers = ControlCheckState(page, IDC_ALL_USERS);
    view.hint = ControlText(page, IDC_FOLDER_HINT);
    EXPECT_TRUE(Press(frame, IDOK) && WaitForPageWith(frame, IDC_GROUP_COMBO, kWait));
    page = ShownPage(frame);
    view.group = ControlText(page, IDC_GROUP_COMBO);
    view.autoStart = ControlCheckState(page, IDC_AUTOSTART);
    view.desktopIcon = ControlCheckState(page, IDC_DESKTOP_ICON);
    cancel(frame, child);
    return view;
}

std::string DefaultInstallDir()
{
    std::string programFiles = RegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    if (!programFiles.empty() && programFiles.back() == '\\') programFiles.pop_back();
    return programFiles + "\\Glimra 5";
}

TEST_F(DriverTest, FreshInstallTakesTheSwitches)
{
    std::string package = MakePackage("pkg", "");
    std::string apps = m_box.Path("apps");
    MakeFolders(apps);

    // An existing folder with a trailing backslash, options in any letter case.
    ChildProcess child = StartSetup(package, "-instdir " + apps + "\\ -ALLUSERS -AutoStart -NoDeskIco");
    HWND frame = WaitForFrame(child);
    ASSERT_TRUE(frame);
    WizardView view = ReadWizardSettingsAndCancel(frame, child, CancelWizard);
    EXPECT_EQ(apps + "\\Glimra 5", view.folder);
    EXPECT_EQ(BST_CHECKED, view.allUsers);
    EXPECT_EQ(BST_CHECKED, view.autoStart);
    EXPECT_EQ(BST_UNCHECKED, view.desktopIcon);
    EXPECT_EQ("Glimra 5", view.group);
    EndProcess(child);

    // A missing folder: the default program folder.
    child = StartSetup(package, "-instdir " + m_box.Path("missing"));
    frame = WaitForFrame(child);
    ASSERT_TRUE(frame);
    view = ReadWizardSettingsAndCancel(frame, child, CancelWizard);
    EXPECT_EQ(DefaultInstallDir(), view.folder);
    EXPECT_EQ(BST_UNCHECKED, view.allUsers);
    EXPECT_EQ(BST_UNCHECKED, view.autoStart);
    EXPECT_EQ(BST_CHECKED, view.desktopIcon);
    EndProcess(child);

    // The folder switch in capitals is not recognised.
    child = StartSetup(package, "-INSTDIR " + apps);
    frame = WaitForFrame(child);
    ASSERT_TRUE(frame);
    view = ReadWizardSettingsAndCancel(frame, child, CancelWizard);
    EXPECT_EQ(DefaultInstallDir(), view.folder);
    EndProcess(child);

    EXPECT_FALSE(FolderExists(apps + "\\Glimra 5"));
    EXPECT_TRUE(OpenedAddresses(0, 0).empty());
}

TEST_F(DriverTest, ReinstallIgnoresSwitchesAndRecoversTheProgramGroup)
{
    std::string package = MakePackage("pkg", "");
    std::string installed = MakeInstalled("");
    RegSetString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", "B");
    // The all-users Startup folder lies inside the Programs folder, as on Windows.
    std::string programs = m_box.Path("common\\Programs");
    m_box.SetShellFolder(true, "Common Startup", programs + "\\Startup");
    std::string upperPrograms = programs;
    for (char& ch : upperPrograms) ch = (char)toupper((unsigned char)ch);
    WriteFileBytes(installed + "\\GlmUnInst.log",
                  "File Copy: Glmr5.exe\r\n\r\n"
                  "Made Dir: " + programs + "\\Tools\\Glimra 5\r\n"
                  "Shell Link: " + upperPrograms + "\\Tools\\Glimra 5\\Glimra 5.lnk  \r\n"
                  "Shell Link: " + programs + "\\Startup\\Glimra 5.lnk\r\n"
                  "Shell Link: " + m_box.Path("common\\Desktop") + "\\Glimra 5.lnk\r\n");
    std::string apps = m_box.Path("apps");
    MakeFolders(apps);

    ChildProcess child = StartSetup(package, "-instdir " + apps + " -autostart -nodeskico -runafter");
    MessageBoxView question = WaitForQuestion(child.id, kWait);
    ASSERT_TRUE(question.window) << "no re-install question";
    EXPECT_EQ("A Glimra 5.40.06.00 verziója már telepítve van ezen a gépen.\n\n"
              "Valóban újra akarja telepíteni a programot?", question.text);
    ASSERT_TRUE(Answer(question, IDYES, kWait));
    HWND frame = WaitForFrame(child);
    ASSERT_TRUE(frame);
    WizardView view = ReadWizardSettingsAndCancel(frame, child, CancelWizard);
    EXPECT_EQ(installed, view.folder);
    EXPECT_EQ(BST_CHECKED, view.allUsers);
    EXPECT_EQ(TXT_FOLDER_HAS_OLD, view.hint);
    EXPECT_EQ("Tools\\Glimra 5", view.group);
    EXPECT_EQ(BST_UNCHECKED, view.autoStart);
    EXPECT_EQ(BST_CHECKED, view.desktopIcon);
    EndProcess(child);
    EXPECT_FALSE(FolderExists(apps + "\\Glimra 5"));
}

TEST_F(DriverTest, SameOrOlderPackageAsksAndNoLeavesEverything)
{
    struct Case {
        const char* installed;
        const char* text;
    } cases[] = {
        { "", "A Glimra 5.40.06.00 verziója már telepítve van ezen a gépen.\n\n"
              "Valóban újra akarja telepíteni a programot?" },
        { "v5.40.6.1", "A Glimra 5.40.06.01 verziója már telepítve van erre a gépre.\n"
                       "Ön most egy régebbi verziót próbál telepíteni: 5.40.06.00 .\n\nValóban folytatja?" },
    };
    std::string package = MakePackage("pkg", "");
    for (const Case& c : cases) {
        std::string installed = MakeInstalled(c.installed);
        std::string before = ReadFileText(installed + "\\Glmr5.exe");
        ChildProcess child = StartSetup(package, "");
        MessageBoxView question = WaitForQuestion(child.id, kWait);
        ASSERT_TRUE(question.window) << "no question for " << c.installed;
        EXPECT_EQ(c.text, question.text);
        EXPECT_EQ(TXT_APP_TITLE, question.caption);
        EXPECT_EQ((std::vector<int>{ IDYES, IDNO }), question.buttons);
        ASSERT_TRUE(Answer(question, IDNO, kWait));
        DWORD code = 0;
        EXPECT_TRUE(WaitForExit(child, kWait, &code));
        EXPECT_EQ(1602u, code) << "declined";
        EndProcess(child);
        EXPECT_EQ(before, ReadFileText(installed + "\\Glmr5.exe"));
        EXPECT_FALSE(FileExists(installed + "\\GlmUnInst.log"));
    }
    EXPECT_TRUE(OpenedAddresses(1, 1000).empty());
}

TEST_F(DriverTest, NewerPackageUpgradesWithoutQuestionAndOpensThePage)
{
    std::string package = MakePackage("pkg", "v5.40.7.0");
    // The shortcut's query is taken without its line end.
    WriteFileBytes(package + "\\HomePage.url", "[InternetShortcut]\r\nURL=http://www.orvane.example/x.asp?ref=setup&v=5\r\n");
    std::string installed = MakeInstalled("");

    ChildProcess child = StartSetup(package, "");
    HWND frame = WaitForFrame(child);
    ASSERT_TRUE(frame) << "no wizard (a question instead?) " << ReadMessageBox(WaitForQuestion(child.id, 0).window).text;
    InstallThroughWizard(frame, child);
    EndProcess(child);

    EXPECT_EQ(ReadFileText(package + "\\Glmr5.exe"), ReadFileText(installed + "\\Glmr5.exe"));
    std::vector<std::string> addresses = OpenedAddresses(1, 5000);
    ASSERT_EQ(1u, addresses.size());
    std::string expected = Quoted(std::string(MAKER_URL) + "/glimra/InstScript.asp?ref=setup&v=5");
    EXPECT_EQ(expected, addresses[0].substr(addresses[0].size() - std::min(addresses[0].size(), expected.size())))
        << addresses[0];
}

TEST_F(DriverTest, FreshInstallWithoutQueryOpensInstalledPageAndSilentOpensNothing)
{
    std::string package = MakePackage("pkg", "");
    WriteFileBytes(package + "\\HomePage.url", "[InternetShortcut]\r\nURL=http://www.orvane.example/\r\n");
    std::string apps = m_box.Path("apps");
    MakeFolders(apps);

    // Silent: all users even without the switch, no page.
    ChildProcess child = StartSetup(package, "-s -instdir " + apps);
    EXPECT_TRUE(WaitForExit(child, 20000));
    EndProcess(child);
    EXPECT_TRUE(FileExists(apps + "\\Glimra 5\\Glmr5.exe"));
    EXPECT_EQ("B", RegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers"));
    EXPECT_TRUE(OpenedAddresses(1, 1000).empty());
    m_box.Clean();
    m_box.RedirectShellFolders();
    package = MakePackage("pkg", "");
    WriteFileBytes(package + "\\HomePage.url", "[InternetShortcut]\r\nURL=http://www.orvane.example/\r\n");
    MakeFolders(apps);
    m_browser.Install();

    // Through the wizard: the "installed" page.
    child = StartSetup(package, "-instdir " + apps);
    HWND frame = WaitForFrame(child);
    ASSERT_TRUE(frame);
    InstallThroughWizard(frame, child);
    EndProcess(child);
    EXPECT_TRUE(FileExists(apps + "\\Glimra 5\\Glmr5.exe"));
    EXPECT_EQ("A", RegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers"));
    std::vector<std::string> addresses = OpenedAddresses(1, 5000);
    ASSERT_EQ(1u, addresses.size());
    std::string expected = Quoted(std::string(MAKER_URL) + "/glimra/installed.asp");
    EXPECT_NE(std::string::npos, addresses[0].find(expected)) << addresses[0];
}

// "-instdir" with a relative folder is taken against the folder the setup starts in (the package
// folder): the registry gets whole paths, so the uninstall entry works from anywhere.
TEST_F(DriverTest, ARelativeInstallFolderIsMadeWhole)
{
    std::string package = MakePackage("pkg", "");
    MakeFolders(package + "\\Apps");
    ChildProcess child = StartSetup(package, "-s -instdir Apps");
    EXPECT_TRUE(WaitForExit(child, 20000));
    EndProcess(child);
    std::string installed = package + "\\Apps\\Glimra 5";
    EXPECT_TRUE(FileExists(installed + "\\Glmr5.exe"));
    EXPECT_EQ(installed, RegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "Path"));
    EXPECT_EQ("\"" + installed + "\\GlmUnInst.exe\"",
              RegString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY "\\" UNINSTALL_ENTRY_NAME, "UninstallString"));
}

TEST_F(DriverTest, DamagedPackageStopsWithMessage18AndExitCode1)
{
    struct Case {
        const char* variant;
        bool withScript;
        const char* arguments;
    } cases[] = {
        { "noversion", true, "" },
        { "noversion", true, "-s" },
        { "", false, "" },
        { "", false, "-s" },
    };
    int run = 0;
    for (const Case& c : cases) {
        std::string package = MakePackage("pkg" + std::to_string(run++), c.variant);
        if (!c.withScript) DeleteFileA((package + "\\GlmUnInst.log").c_str());
        ChildProcess child = StartSetup(package, c.arguments);
        MessageBoxView message = WaitForQuestion(child.id, kWait);
        ASSERT_TRUE(message.window) << "no message for " << c.variant << " " << c.arguments;
        EXPECT_EQ(0u, message.text.find("A telepítő fájl sérült, telepítés megszakítva.")) << message.text;
        EXPECT_NE(std::string::npos, message.text.find(MAKER_URL)) << message.text;
        EXPECT_EQ((std::vector<int>{ IDOK }), message.buttons);
        ASSERT_TRUE(Answer(message, IDOK, kWait));
        DWORD code = 99;
        EXPECT_TRUE(WaitForExit(child, kWait, &code));
        EXPECT_EQ(1u, code) << c.variant << " " << c.arguments;
        EndProcess(child);
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kAppPathsKey)) << "something was installed";
    }
    std::vector<std::string> addresses = OpenedAddresses(4, 5000);
    ASSERT_EQ(4u, addresses.size());
    for (const std::string& address : addresses)
        EXPECT_NE(std::string::npos, address.find(Quoted(MAKER_URL))) << address;
}

TEST_F(DriverTest, ReinstallFromAPackageWithoutTheApplicationAsksFirstThenStops)
{
    std::string package = MakePackage("pkg", "none");
    MakeInstalled("");

    ChildProcess child = StartSetup(package, "");
    MessageBoxView question = WaitForQuestion(child.id, kWait);
    ASSERT_TRUE(question.window) << "no version question";
    EXPECT_EQ("A Glimra 5.40.06.00 verziója már telepítve van erre a gépre.\n"
              "Ön most egy régebbi verziót próbál telepíteni: 0.00.00.00 .\n\nValóban folytatja?", question.text);
    ASSERT_TRUE(Answer(question, IDYES, kWait));
    MessageBoxView message = WaitForQuestion(child.id, kWait);
    ASSERT_TRUE(message.window) << "no damaged-package message after Yes";
    EXPECT_EQ(0u, message.text.find("A telepítő fájl sérült")) << message.text;
    ASSERT_TRUE(Answer(message, IDOK, kWait));
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(child, kWait, &code));
    EXPECT_EQ(1u, code);
    EndProcess(child);
    std::vector<std::string> addresses = OpenedAddresses(1, 5000);
    ASSERT_EQ(1u, addresses.size());
    EXPECT_NE(std::string::npos, addresses[0].find(Quoted(MAKER_URL))) << addresses[0];
}

TEST_F(DriverTest, YesToTheSameVersionReinstallsFromTheLegacyLogWithoutOpeningThePage)
{
    std::string package = MakePackage("pkg", "");
    std::string installed = MakeInstalled("");
    // Only the legacy log: the group comes from it (current user, no "AllUsers" value).
    std::string programs = m_box.Path("user\\Programs");
    WriteFileBytes(installed + "\\install.log", "Shell Link: " + programs + "\\Old group\\Glimra 5.lnk\r\n");

    ChildProcess child = StartSetup(package, "");
    HWND frame = AcceptQuestionAndWaitForFrame(child);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(Next(frame, IDC_AGREEMENT_TEXT));
    ASSERT_TRUE(Next(frame, IDC_BROWSE));
    ASSERT_TRUE(Next(frame, IDC_GROUP_COMBO));
    EXPECT_EQ("Old group", ControlText(ShownPage(frame), IDC_GROUP_COMBO));
    ASSERT_TRUE(Press(frame, IDC_BACK) && WaitForPageWith(frame, IDC_BROWSE, kWait));
    ASSERT_TRUE(Press(frame, IDC_BACK) && WaitForPageWith(frame, IDC_AGREEMENT_TEXT, kWait));
    ASSERT_TRUE(Press(frame, IDC_BACK) && WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
    InstallThroughWizard(frame, child);
    EndProcess(child);

    EXPECT_TRUE(FileExists(programs + "\\Old group\\Glimra 5.lnk"));
    EXPECT_TRUE(OpenedAddresses(1, 1500).empty()) << "a page was opened after Yes";
}

TEST_F(DriverTest, WithoutAStartupFolderNoShortcutNamesTheGroup)
{
    std::string package = MakePackage("pkg", "");
    std::string installed = MakeInstalled("");
    m_box.DeleteShellFolder(false, "Startup");
    WriteFileBytes(installed + "\\GlmUnInst.log",
                  "Shell Link: " + m_box.Path("user\\Programs") + "\\Tools\\Glimra 5\\Glimra 5.lnk\r\n");

    ChildProcess child = StartSetup(package, "");
    HWND frame = AcceptQuestionAndWaitForFrame(child);
    ASSERT_TRUE(frame);
    WizardView view = ReadWizardSettingsAndCancel(frame, child, CancelWizard);
    EXPECT_EQ("Glimra 5", view.group);
    EndProcess(child);
}

TEST_F(DriverTest, AGroupClimbingOutOfProgramsInTheOldLogIsPassedOver)
{
    std::string package = MakePackage("pkg", "");
    std::string installed = MakeInstalled("");
    std::string programs = m_box.Path("user\\Programs");
    WriteFileBytes(installed + "\\GlmUnInst.log",
                  "Shell Link: " + programs + "\\Tools\\Glimra 5.lnk\r\n"
                  "Shell Link: " + programs + "\\..\\..\\Evil\\Glimra 5.lnk\r\n");

    ChildProcess child = StartSetup(package, "");
    HWND frame = AcceptQuestionAndWaitForFrame(child);
    ASSERT_TRUE(frame);
    WizardView view = ReadWizardSettingsAndCancel(frame, child, CancelWizard);
    EXPECT_EQ("Tools", view.group);
    EndProcess(child);
}

TEST_F(DriverTest, SilentInstallWithRunAfterStartsTheInstalledApplication)
{
    std::string package = MakePackage("pkg", "");
    std::string apps = m_box.Path("apps");
    MakeFolders(apps);

    ChildProcess child = StartSetup(package, "-s -instdir " + apps + " -RunAfter");
    EXPECT_TRUE(WaitForExit(child, 20000));
    EndProcess(child);
    std::string exe = apps + "\\Glimra 5\\Glmr5.exe";
    ChildProcess app;
    ASSERT_TRUE(WaitUntil([&] { return (app.id = ProcessOfProgram(exe)) != 0; }, kWait)) << exe << " is not running";
    app.process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, app.id);
    // Started without arguments, it shows its main window; closed through it, so that it leaves
    // the instance registry, and ended in any case. Its main window is waited for: a window the
    // process made before it (Wine's own) does not end it.
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (window = FindAppWindow(app.id)) != nullptr; }, kWait));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForExit(app, kWait));
    EndProcess(app);
    EXPECT_TRUE(OpenedAddresses(1, 1000).empty());
}

}  // namespace
