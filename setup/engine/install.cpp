#include "install.h"
#include "fileplace.h"
#include "helpers.h"
#include "installlog.h"
#include "names.h"
#include "pathtext.h"
#include "resource.h"
#include "settings.h"
#include "shelllink.h"
#include "replay.h"

#define UNINSTALL_ENTRY_KEY UNINSTALL_KEY "\\" UNINSTALL_ENTRY_NAME
#define APP_PATH_KEY        APP_PATHS_KEY "\\" APP_EXE_NAME

// Before installing over an earlier installation: its shortcuts and group go, and the files the
// new script declares obsolete are deleted.
static void UndoEarlierInstallation(const CString& scriptPath)
{
    UndoLinksAndMadeDirs(g_strInstallDir + "\\" LEGACY_LOG_NAME);
    UndoLinksAndMadeDirs(g_strInstallDir + "\\" LOG_NAME);
    UndoFileRecords(scriptPath, g_strInstallDir, REC_FILE_DEL);
}

// The Start-menu programs folder; an unusable common folder turns the installation into a
// current-user one.
static CString FindProgramsFolder()
{
    CString programs;
    if (g_bAllUsers) {
        programs = GetShellFolderOf(TRUE, SHELL_PROGRAMS);
        if (programs.GetLength() < 4) g_bAllUsers = FALSE;
    }
    if (!g_bAllUsers) programs = GetShellFolderOf(FALSE, SHELL_PROGRAMS);
    return programs;
}

// The group relative to the programs folder: backslashes only, no blanks or separators around it.
static void NormaliseProgramGroup()
{
    g_strProgramGroup.Replace('/', '\\');
    g_strProgramGroup.TrimLeft(" \t\r\n\\");
    g_strProgramGroup.TrimRight(" \t\r\n\\");
}

// Creates the group folder, with any folders above it, under programs.
static CString CreateProgramGroup(const CString& programs)
{
    for (int slash = g_strProgramGroup.Find('\\'); slash >= 0; slash = g_strProgramGroup.Find('\\', slash + 1))
        CreateDirectoryA(programs + "\\" + g_strProgramGroup.Left(slash), nullptr);
    CString group = programs + "\\" + g_strProgramGroup;
    CreateDirectoryA(group, nullptr);
    return group;
}

static void CreateLink(const CString& target, const CString& folder, UINT nameId)
{
    CreateShellLink(target, folder + "\\" + LoadResString(nameId) + ".lnk", "", SW_SHOWNORMAL, nullptr, nullptr);
}

static void CreateGroupLinks(const CString& group)
{
    DWORD attributes = GetFileAttributesA(group);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    CreateLink(g_strInstallDir + "\\" APP_EXE_NAME, group, IDS_PRODUCT_NAME);
    CreateLink(g_strInstallDir + "\\" HELP_FILE_NAME, group, IDS_HELP_SHORTCUT);
    CreateLink(g_strInstallDir + "\\" README_FILE_NAME, group, IDS_README_SHORTCUT);
    CreateLink(g_strInstallDir + "\\" UNINSTALLER_NAME, group, IDS_UNINSTALL_SHORTCUT);
}

// A shortcut to the application in a shell folder. A folder that is not set makes no shortcut,
// rather than one in the root of the current drive.
static void CreateAppLinkIn(BOOL allUsers, ShellFolderKind kind)
{
    CString folder = GetShellFolderOf(allUsers, kind);
    if (folder.IsEmpty()) return;
    CreateLink(g_strInstallDir + "\\" APP_EXE_NAME, folder, IDS_PRODUCT_NAME);
}

static void WriteRegistryEntries()
{
    WriteRegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, ALL_USERS_VALUE, g_bAllUsers ? "B" : "A");
    WriteRegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, INSTALL_PATH_VALUE, g_strInstallDir);
    WriteRegString(HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, g_strInstallDir + "\\" APP_EXE_NAME);
    WriteRegString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "Contact", "Support");
    WriteRegString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "DisplayName", LoadResString(IDS_PRODUCT_NAME));
    WriteRegString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "DisplayVersion", "5");
    WriteRegString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "Publisher", MAKER_FULL_NAME);
    WriteRegString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "UninstallString", g_strInstallDir + "\\" UNINSTALLER_NAME);
    WriteRegString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY, "URLInfoAbout", MAKER_URL);
}

// A settings file lying next to the self-extracting package that started the setup is installed.
// A package path that does not fit MAX_PATH counts as absent.
static void CopyPackageSettingsFile()
{
    char package[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(PACKAGE_PATH_VARIABLE, package, sizeof(package));
    if (length == 0 || length >= sizeof(package)) return;
    CString packageFolder = GetParentFolder(package);
    if (!packageFolder.IsEmpty()) CopyInstallFile(SETTINGS_FILE_NAME, packageFolder, g_strInstallDir, nullptr);
}

// A package on read-only media gives a read-only copy of the script, to which the records of the
// group and the shortcuts could not be appended: uninstall would then leave them behind.
static void MakeWritable(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

int PerformInstall()
{
    CString scriptPath = g_strSourceDir + "\\" LOG_NAME;
    CString logPath = g_strInstallDir + "\\" LOG_NAME;

    if (!g_bNewInstall) UndoEarlierInstallation(scriptPath);
    RunInstallScript(scriptPath);
    CopyMatchingFiles(LOG_NAME, g_strSourceDir, g_strInstallDir);
    MakeWritable(logPath);
    AppendLogLine(logPath, "");

    CString programs = FindProgramsFolder();
    NormaliseProgramGroup();
    // No programs folder: no group, rather than one in the root of the current drive. No group
    // name, or one that climbs out of the programs folder: no group either, rather than the
    // programs folder itself (or one above it) recorded for removal.
    if (!programs.IsEmpty() && IsSafeRelativeName(g_strProgramGroup)) {
        CString group = CreateProgramGroup(programs);
        AppendLogLine(logPath, CString(REC_MADE_DIR) + group);
        CreateGroupLinks(group);
    }
    if (g_bDesktopIcon) CreateAppLinkIn(g_bAllUsers, SHELL_DESKTOP);
    if (g_bAutoStart) CreateAppLinkIn(g_bAllUsers, SHELL_STARTUP);

    WriteRegistryEntries();
    CopyPackageSettingsFile();
    return 0;
}
