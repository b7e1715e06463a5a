#include "uninstall.h"
#include <shlobj.h>
#include <string.h>
#include "engine/names.h"
#include "engine/pathtext.h"
#include "engine/shelllink.h"
#include "framework.h"
#include "regclean.h"
#include "engine/replay.h"
#include "engine/reboot.h"
#include "engine/runrecord.h"
#include <stdlib.h>

// Registry values and subkey names are read into buffers of this size.
#define VALUE_SIZE 512

#define TAKEN_OVER_VALUE "Application"
#define PREVIOUS_PROGRAM_VALUE "GlmrOld"
#define SHORTCUT_FILE_NAME PRODUCT_FOLDER_NAME ".lnk"

// The image file types whose association the capture application may have taken over.
static const char* const ImageExtensionTable[] = {
    ".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif", ".tiff", ".png", ".cmp", ".tga", ".wpg",
};

// Reads a string value into buffer (VALUE_SIZE + 1 bytes), emptied first. FALSE when the value is
// missing or does not fit.
static BOOL ReadValue(HKEY key, const char* name, char* buffer)
{
    memset(buffer, 0, VALUE_SIZE + 1);
    DWORD size = VALUE_SIZE;
    return RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)buffer, &size) == ERROR_SUCCESS;
}

// Gives one extension back the program it had before the takeover. TRUE when it was taken over.
static BOOL RestoreExtension(HKEY root, const char* extension, const char* inspectedValue)
{
    HKEY key;
    if (RegOpenKeyExA(root, extension, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return FALSE;
    char value[VALUE_SIZE + 1];
    BOOL takenOver = ReadValue(key, inspectedValue, value) && strstr(value, APP_EXE_NAME) != nullptr;
    if (takenOver) {
        if (ReadValue(key, PREVIOUS_PROGRAM_VALUE, value) && value[0])
            RegSetValueExA(key, inspectedValue, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
        else
            RegDeleteValueA(key, inspectedValue);
        RegDeleteValueA(key, PREVIOUS_PROGRAM_VALUE);
    }
    RegCloseKey(key);
    return takenOver;
}

// The current user's chosen programs when that key exists, else the classes' default values.
static void RestoreImageFileTypes()
{
    HKEY root;
    const char* inspectedValue = TAKEN_OVER_VALUE;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, FILE_EXTS_KEY, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS) {
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, nullptr, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS) return;
        inspectedValue = nullptr;
    }
    int restored = 0;
    for (int i = 0; i < (int)(sizeof(ImageExtensionTable) / sizeof(ImageExtensionTable[0])); i++)
        if (RestoreExtension(root, ImageExtensionTable[i], inspectedValue)) restored++;
    RegCloseKey(root);
    if (restored > 0) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// Deletes the fixed-name shortcut and group in the shell folders that key names, for all users
// or for one.
static void RemoveFixedNameShortcuts(HKEY key, BOOL allUsers)
{
    char folder[VALUE_SIZE + 1];
    if (ReadValue(key, GetShellFolderValueName(allUsers, SHELL_STARTUP), folder) && folder[0])
        DeleteFileOrSchedule(CString(folder) + "\\" SHORTCUT_FILE_NAME);
    if (ReadValue(key, GetShellFolderValueName(allUsers, SHELL_DESKTOP), folder) && folder[0])
        DeleteFileOrSchedule(CString(folder) + "\\" SHORTCUT_FILE_NAME);
    if (ReadValue(key, GetShellFolderValueName(allUsers, SHELL_PROGRAMS), folder) && folder[0]) {
        CString group = CString(folder) + "\\" PRODUCT_FOLDER_NAME "\\";
        DeleteMatchingFiles(group, "*.*");
        RemoveDirectoryA(group);
    }
}

static void RemoveAllUsersShortcuts()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SHELL_FOLDERS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    RemoveFixedNameShortcuts(key, TRUE);
    RegCloseKey(key);
}

// Every profile whose hive is loaded now.
static void RemoveUserProfileShortcuts()
{
    char profile[VALUE_SIZE];
    for (DWORD index = 0; RegEnumKeyA(HKEY_USERS, index, profile, sizeof(profile)) == ERROR_SUCCESS; index++) {
        HKEY hive, key;
        if (RegOpenKeyExA(HKEY_USERS, profile, 0, KEY_ALL_ACCESS, &hive) != ERROR_SUCCESS) continue;
        if (RegOpenKeyExA(hive, SHELL_FOLDERS_KEY, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RemoveFixedNameShortcuts(key, FALSE);
            RegCloseKey(key);
        }
        RegCloseKey(hive);
    }
}

static int CountBackslashes(const CString& path)
{
    int count = 0;
    for (int i = path.Find('\\'); i >= 0; i = path.Find('\\', i + 1)) count++;
    return count;
}

// The folders of the installation that still hold a file waiting for the next start go at that
// start too, after their files and the deepest first, so each is empty when its turn comes. A
// folder scheduled already is not scheduled again.
static void ScheduleFoldersOfPendingFiles(const char* installFolder)
{
    size_t rootLength = strlen(installFolder);
    CString pending = GetRestartPendingList();
    CString folders;
    int deepest = 0;
    for (int start = 0, end; start < pending.GetLength(); start = end + 1) {
        end = pending.Find('\n', start);
        CString folder = GetParentFolder(pending.Mid(start, end - start));
        while (_strnicmp(folder + "\\", installFolder, rootLength) == 0 && PathExists(folder) &&
               folders.Find(folder + "\n") < 0 && pending.Find(folder + "\n") < 0) {
            folders += folder + "\n";
            if (CountBackslashes(folder) > deepest) deepest = CountBackslashes(folder);
            folder = GetParentFolder(folder);
        }
    }
    for (int depth = deepest; depth >= 0; depth--) {
        for (int start = 0, end; start < folders.GetLength(); start = end + 1) {
            end = folders.Find('\n', start);
            CString folder = folders.Mid(start, end - start);
            if (CountBackslashes(folder) != depth) continue;
            if (DeleteOnReboot(folder)) RecordRestartPending(folder);
            else RecordFailure("schedule", folder, GetLastError());
        }
    }
}

void RemoveInstallFolder(const char* installFolder)
{
    // The process must not hold the folder it removes.
    SetCurrentDirectoryA("\\");
    RemoveDirectoryA(installFolder);
    ScheduleFoldersOfPendingFiles(installFolder);
}

void RunUninstall(const char* installFolder)
{
    // A log path that does not fit stays empty and opens nothing.
    char legacyLog[MAX_PATH], log[MAX_PATH];
    JoinPath(legacyLog, sizeof legacyLog, installFolder, LEGACY_LOG_NAME);
    JoinPath(log, sizeof log, installFolder, LOG_NAME);
    RestoreImageFileTypes();

    UndoLinksAndMadeDirs(legacyLog);
    UndoLinksAndMadeDirs(log);
    UndoFileRecords(legacyLog, installFolder, nullptr);
    UndoFileRecords(log, installFolder, nullptr);
    DeleteMatchingFiles(installFolder, LOG_NAME);
    RemoveInstallFolder(installFolder);

    RemoveAllUsersShortcuts();
    RemoveUserProfileShortcuts();
    RemoveAppRegistryKeys(MAKER_NAME, SETTINGS_KEY_NAME, UNINSTALL_ENTRY_NAME, APP_EXE_NAME);
}
