// The installation run: settles the folder and options, asks before a re-installation of the same
// or an older version, checks the package, installs silently or through the wizard, and then opens
// the maker's page and starts the application when asked.
#include "installdriver.h"
#include "engine/pathtext.h"
#include "installtext.h"
#include "detect.h"
#include "engine/names.h"
#include "engine/settings.h"
#include "engine/helpers.h"
#include "engine/shelllink.h"
#include "engine/install.h"
#include "engine/logreader.h"
#include "engine/runrecord.h"
#include "wizard/setupwizarddlg.h"
#include "resource.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// A relative "-instdir" folder ("Apps", or "\Apps" on the current drive) taken whole against the
// current folder, as its existence was tested: the registry values, the uninstall entry and the
// lookups made after the current folder changes need the whole path. A folder with a drive or a
// UNC folder stays as it is (a drive alone, "C:", stands for the drive's root). Empty when the
// whole path does not fit.
static CString MakeAbsoluteFolder(const char* folder)
{
    bool separatorFirst = folder[0] == '\\' || folder[0] == '/';
    bool unc = separatorFirst && (folder[1] == '\\' || folder[1] == '/');
    bool whole = !folder[0] || folder[1] == ':' || unc;
    if (whole) return CString(folder);
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(folder, sizeof full, full, nullptr);
    return length == 0 || length >= sizeof full ? CString() : CString(full);
}

// Fresh installation: the four options and the parent folder from the command line, else the
// default program folder; the installation folder is that parent + "\Glimra 5".
static void TakeCommandLineOptions()
{
    InstallSwitches switches;
    memset(&switches, 0, sizeof(switches));
    if (__argc > 1) ScanInstallSwitches(__argc - 1, __argv + 1, PathExists, &switches);
    g_strInstallDir = MakeAbsoluteFolder(switches.installDir);
    if (switches.runAfter) g_bRunAfter = TRUE;
    if (switches.allUsers) g_bAllUsers = TRUE;
    if (switches.autoStart) g_bAutoStart = TRUE;
    if (switches.noDesktopIcon) g_bDesktopIcon = FALSE;
    if (g_strInstallDir.IsEmpty()) g_strInstallDir = GetProgramFilesDir();
    g_strInstallDir += "\\" PRODUCT_FOLDER_NAME;
    g_bNewInstall = TRUE;
}

// The version last read by ReadFileVersion as one number.
static unsigned int LastReadVersionNumber()
{
    return ComposeVersionNumber(g_FileVersion.major, g_FileVersion.minor, g_FileVersion.release,
                                g_FileVersion.build);
}

// Re-installation: compares the installed and the package version, which stays in g_FileVersion.
// A newer package (or any in silent mode) is an upgrade; the same or an older one is asked about.
// FALSE when the user declined.
static BOOL ConfirmReinstall()
{
    ReadFileVersion(g_strInstallDir + "\\" APP_EXE_NAME);
    FileVersion installed = g_FileVersion;
    unsigned int installedNumber = LastReadVersionNumber();
    ReadFileVersion(g_strSourceDir + "\\" APP_EXE_NAME);
    unsigned int packageNumber = LastReadVersionNumber();
    if (g_bSilent || packageNumber > installedNumber) {
        g_bUpgrade = TRUE;
        return TRUE;
    }
    CString text;
    if (packageNumber < installedNumber)
        text.Format(LoadResString(IDS_OLDER_VERSION), installed.major, installed.minor, installed.release,
                    installed.build, g_FileVersion.major, g_FileVersion.minor, g_FileVersion.release,
                    g_FileVersion.build);
    else
        text.Format(LoadResString(IDS_SAME_VERSION), g_FileVersion.major, g_FileVersion.minor,
                    g_FileVersion.release, g_FileVersion.build);
    if (AppMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES) return TRUE;
    RecordDeclined();
    return FALSE;
}

// The program group of the earlier installation: the last shortcut of the old log that lies
// below the Programs folder and not in the Startup folder names it; a group that would climb out
// of the Programs folder ("..", a drive) is passed over.
static void RecoverProgramGroup()
{
    FILE* log = fopen(g_strInstallDir + "\\" LOG_NAME, "r");
    if (!log) log = fopen(g_strInstallDir + "\\" LEGACY_LOG_NAME, "r");
    if (!log) return;
    CString programs = GetShellFolderOf(g_bAllUsers, SHELL_PROGRAMS);
    CString startup = GetShellFolderOf(g_bAllUsers, SHELL_STARTUP);
    if (programs.IsEmpty() || programs[programs.GetLength() - 1] != '\\') programs += "\\";
    programs.MakeLower();
    startup.MakeLower();
    const size_t prefixLength = (size_t)programs.GetLength();
    char line[LOG_LINE_SIZE];
    while (ReadLogLine(log, line)) {
        const char* text = MatchRecord(line, REC_SHELL_LINK);
        if (!text) continue;
        CString linkPath(text);
        CString lower = linkPath;
        lower.MakeLower();
        if (strncmp(lower, programs, prefixLength) != 0 || lower.Find(startup) >= 0) continue;
        // A tampered log must not lead the shortcuts out of the Programs folder.
        CString group = GetParentFolder(linkPath.Mid((int)prefixLength));
        if (group.IsEmpty() || IsSafeRelativeName(group)) g_strProgramGroup = group;
    }
    fclose(log);
}

static void CheckPackage()
{
    if (g_FileVersion.major == 0 || !PathExists(g_strSourceDir + "\\" LOG_NAME)) AbortCorruptPackage();
}

// FALSE when the wizard was cancelled.
static BOOL RunWizard()
{
    CWinApp* app = GetApp();
    INT_PTR result;
    {
        CSetupWizardDlg wizard(nullptr);
        if (app) app->m_pMainWnd = &wizard;
        result = wizard.DoModal();
    }
    // The wizard is gone; the program has no main window any more.
    if (app) app->m_pMainWnd = nullptr;
    return result == IDOK;
}

static void OpenAddress(const char* address)
{
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

// "InstScript.asp" with the query of the installed Internet shortcut, else "installed.asp".
static void OpenMakerPage()
{
    char query[SHORTCUT_LINE_SIZE];
    ReadShortcutQuery(g_strInstallDir + "\\HomePage.url", query, sizeof(query));
    CString address = MAKER_URL;
    if (query[0]) address += CString("/glimra/InstScript.asp") + query;
    else address += "/glimra/installed.asp";
    OpenAddress(address);
}

static void StartApplication()
{
    CString commandLine = "\"" + g_strInstallDir + "\\" APP_EXE_NAME "\"";
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (CreateProcessA(nullptr, commandLine.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    commandLine.ReleaseBuffer();
}

int RunInstall()
{
    g_strInstallDir = GetInstalledDir();
    g_strSourceDir = GetSetupDir();
    BOOL reinstall = !g_strInstallDir.IsEmpty();
    if (!reinstall) TakeCommandLineOptions();
    g_strProgramGroup = PRODUCT_FOLDER_NAME;
    if (reinstall) {
        if (!ConfirmReinstall()) return 1;
        g_bAllUsers = ReadRegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, ALL_USERS_VALUE) == "B";
        RecoverProgramGroup();
    } else {
        ReadFileVersion(g_strSourceDir + "\\" APP_EXE_NAME);
    }
    LogRunLine("package %s, version %d.%02d.%02d.%02d", g_strSourceDir.GetString(), g_FileVersion.major,
               g_FileVersion.minor, g_FileVersion.release, g_FileVersion.build);
    CheckPackage();

    if (g_bSilent) {
        if (g_bNewInstall) g_bAllUsers = TRUE;
        PerformInstall();
    } else if (!RunWizard()) {
        RecordDeclined();
        return 1;
    }
    // A failed installation was taken back: there is nothing to open or start.
    if (CountRunFailures() > 0) return 0;

    SetCurrentDirectoryA(g_strInstallDir);
    if (!g_bSilent && (g_bNewInstall || g_bUpgrade)) OpenMakerPage();
    if (g_bRunAfter) StartApplication();
    return 0;
}

void AbortCorruptPackage()
{
    LogRunLine("damaged package: %s needs a versioned %s and %s", g_strSourceDir.GetString(), APP_EXE_NAME, LOG_NAME);
    AppMessageBox(IDS_DAMAGED_PACKAGE, MB_OK | MB_ICONSTOP);
    OpenAddress(MAKER_URL);
    LogRunLine("exit code %d", EXIT_DAMAGED_PACKAGE);
    exit(EXIT_DAMAGED_PACKAGE);
}
