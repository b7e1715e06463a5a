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
#include "madelist.h"
#include "runrecord.h"

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
        MakeFolder(programs + "\\" + g_strProgramGroup.Left(slash));
    CString group = programs + "\\" + g_strProgramGroup;
    MakeFolder(group);
    return group;
}

// A shortcut that was not there before is this run's to take away again.
static void CreateLink(const CString& target, const CString& folder, UINT nameId)
{
    CString link = folder + "\\" + LoadResString(nameId) + ".lnk";
    BOOL existed = PathExists(link);
    HRESULT hr = CreateShellLink(target, link, "", SW_SHOWNORMAL, nullptr, nullptr);
    if (FAILED(hr)) {
        RecordFailure("shortcut", link, HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : (DWORD)hr);
        return;
    }
    if (!existed) NoteMadeFile(link);
    RecordDone("shortcut", link);
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

// Notes the keys on the path to key that do not exist yet, the uppermost first.
static void NoteMissingKeys(const CString& key)
{
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
        RegCloseKey(opened);
        return;
    }
    int slash = key.ReverseFind('\\');
    if (slash > 0) NoteMissingKeys(key.Left(slash));
    NoteMadeKey(key);
}

// One value under HKEY_LOCAL_MACHINE; a value (or key) that was not there before is noted as made.
static void WriteValue(const char* key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    CString object = CString("HKEY_LOCAL_MACHINE\\") + key + "\\" + (name ? name : "");
    NoteMissingKeys(key);
    HKEY opened;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE | KEY_QUERY_VALUE, nullptr,
                                  &opened, nullptr);
    if (result == ERROR_SUCCESS) {
        BOOL existed = RegQueryValueExA(opened, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        result = RegSetValueExA(opened, name, 0, type, data, size);
        RegCloseKey(opened);
        if (result == ERROR_SUCCESS && !existed) NoteMadeValue(key, name);
    }
    if (result == ERROR_SUCCESS) RecordDone("registry", object);
    else RecordFailure("registry", object, (DWORD)result);
}

static void WriteEntry(const char* key, const char* name, const char* text)
{
    WriteValue(key, name, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
}

static void WriteNumberEntry(const char* key, const char* name, DWORD number)
{
    WriteValue(key, name, REG_DWORD, (const BYTE*)&number, sizeof number);
}

// Written before any file of the application is placed, so that one is never on the disk without
// the entry that uninstalls it. The command lines quote the uninstaller's path: unquoted, a path
// with blanks lets Windows try "C:\Program.exe" first.
static void WriteRegistryEntries()
{
    CString uninstaller = "\"" + g_strInstallDir + "\\" UNINSTALLER_NAME "\"";
    CString application = g_strInstallDir + "\\" APP_EXE_NAME;
    WriteEntry(SETTINGS_KEY, ALL_USERS_VALUE, g_bAllUsers ? "B" : "A");
    WriteEntry(SETTINGS_KEY, INSTALL_PATH_VALUE, g_strInstallDir);
    WriteEntry(APP_PATH_KEY, nullptr, application);
    WriteEntry(UNINSTALL_ENTRY_KEY, "Contact", "Support");
    WriteEntry(UNINSTALL_ENTRY_KEY, "DisplayName", LoadResString(IDS_PRODUCT_NAME));
    WriteEntry(UNINSTALL_ENTRY_KEY, "DisplayVersion", "5");
    WriteEntry(UNINSTALL_ENTRY_KEY, "Publisher", MAKER_FULL_NAME);
    WriteEntry(UNINSTALL_ENTRY_KEY, "UninstallString", uninstaller);
    WriteEntry(UNINSTALL_ENTRY_KEY, "QuietUninstallString", uninstaller + " -s");
    WriteEntry(UNINSTALL_ENTRY_KEY, "URLInfoAbout", MAKER_URL);
    WriteEntry(UNINSTALL_ENTRY_KEY, "DisplayIcon", application);
    WriteEntry(UNINSTALL_ENTRY_KEY, "InstallLocation", g_strInstallDir);
    // Windows' list offers Change and Repair only where the program has them.
    WriteNumberEntry(UNINSTALL_ENTRY_KEY, "NoModify", 1);
    WriteNumberEntry(UNINSTALL_ENTRY_KEY, "NoRepair", 1);
}

// The size Windows' list of programs shows: the files this run placed, in KB.
static void WriteInstalledSize()
{
    WriteNumberEntry(UNINSTALL_ENTRY_KEY, "EstimatedSize", (DWORD)((CountPlacedBytes() + 1023) / 1024));
}

// The size of a file, or -1 when it cannot be read.
static LONGLONG ReadFileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// An uninstall entry whose uninstaller is missing or not the package's would leave the user a
// program list item that cannot remove anything: it goes, whoever made it.
static void RemoveEntryWithoutUninstaller()
{
    CString uninstaller = g_strInstallDir + "\\" UNINSTALLER_NAME;
    LONGLONG size = ReadFileSize(uninstaller);
    if (size > 0 && size == ReadFileSize(g_strSourceDir + "\\" UNINSTALLER_NAME)) return;
    if (RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY) == ERROR_SUCCESS)
        LogRunLine("removed the uninstall entry: its uninstaller %s is missing or damaged", uninstaller.GetString());
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

// The log is the script plus the records of the group and shortcuts, appended one by one.
static void AppendInstallRecord(const CString& logPath, const char* text)
{
    if (AppendLogLine(logPath, text)) RecordDone("log record", logPath);
    else RecordFailure("log record", logPath, GetLastError());
}

int PerformInstall()
{
    CString scriptPath = g_strSourceDir + "\\" LOG_NAME;
    CString logPath = g_strInstallDir + "\\" LOG_NAME;
    int failures = CountRunFailures();
    ForgetMadeItems();
    BeginPlacement();
    LogRunLine("install into %s (%s)", g_strInstallDir.GetString(), g_bNewInstall ? "fresh" : "over an earlier one");

    if (!g_bNewInstall) UndoEarlierInstallation(scriptPath);
    // The log and the uninstaller come first, then the registry entries: a run cut off at any
    // moment leaves no file of the application without the uninstall entry, whose uninstaller is
    // whole and whose log names every file the script places.
    PlaceFileAhead(LOG_NAME);
    MakeWritable(logPath);
    AppendInstallRecord(logPath, "");
    PlaceFileAhead(UNINSTALLER_NAME);
    // The programs folder settles whether the installation is for all users, which the entries say.
    CString programs = FindProgramsFolder();
    WriteRegistryEntries();
    RunInstallScript(scriptPath);

    NormaliseProgramGroup();
    // No programs folder: no group, rather than one in the root of the current drive. No group
    // name, or one that climbs out of the programs folder: no group either, rather than the
    // programs folder itself (or one above it) recorded for removal.
    if (!programs.IsEmpty() && IsSafeRelativeName(g_strProgramGroup)) {
        CString group = CreateProgramGroup(programs);
        AppendInstallRecord(logPath, CString(REC_MADE_DIR) + group);
        CreateGroupLinks(group);
    }
    if (g_bDesktopIcon) CreateAppLinkIn(g_bAllUsers, SHELL_DESKTOP);
    if (g_bAutoStart) CreateAppLinkIn(g_bAllUsers, SHELL_STARTUP);

    WriteInstalledSize();
    CopyPackageSettingsFile();

    if (CountRunFailures() > failures) {
        LogRunLine("the installation failed; taking back what it made");
        UndoMadeItems();
        RemoveEntryWithoutUninstaller();
        return 1;
    }
    ForgetMadeItems();
    return 0;
}
