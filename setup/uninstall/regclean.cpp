#include "regclean.h"
#include <stdio.h>
#include "engine/names.h"

// Key paths and subkey names are held in buffers of this size.
#define KEY_NAME_SIZE 512

BOOL DeleteRegKeyTree(HKEY parent, const char* subKey)
{
    HKEY key;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char child[KEY_NAME_SIZE];
        DWORD index = 0;
        // A deleted child moves the next one to its index; one that stays is stepped over.
        while (RegEnumKeyA(key, index, child, sizeof(child)) == ERROR_SUCCESS) {
            if (!DeleteRegKeyTree(key, child)) index++;
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyA(parent, subKey) == ERROR_SUCCESS;
}

void DeleteRegKeyIfNoSubkeys(HKEY parent, const char* subKey)
{
    HKEY key;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char child[KEY_NAME_SIZE];
    DWORD count = 0;
    while (RegEnumKeyA(key, count, child, sizeof(child)) == ERROR_SUCCESS) count++;
    RegCloseKey(key);
    if (count == 0) RegDeleteKeyA(parent, subKey);
}

// Formats a key path; FALSE when it does not fit, so a cut path never names another key.
static BOOL FormatKeyPath(char* path, const char* format, const char* first, const char* second)
{
    int length = _snprintf(path, KEY_NAME_SIZE, format, first, second);
    return length >= 0 && length < KEY_NAME_SIZE;
}

// The settings key, then the maker key when nothing else is left under it.
static void RemoveSettingsKeys(HKEY root, const char* maker, const char* settingsKey)
{
    char path[KEY_NAME_SIZE];
    if (FormatKeyPath(path, "SOFTWARE\\%s\\%s", maker, settingsKey)) DeleteRegKeyTree(root, path);
    if (FormatKeyPath(path, "SOFTWARE\\%s", maker, nullptr)) DeleteRegKeyIfNoSubkeys(root, path);
}

// Deletes one subkey of root\parentPath (no tree walk).
static void DeleteSingleSubKey(HKEY root, const char* parentPath, const char* subKey)
{
    HKEY key;
    if (RegOpenKeyExA(root, parentPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteKeyA(key, subKey);
    RegCloseKey(key);
}

void RemoveAppRegistryKeys(const char* maker, const char* settingsKey, const char* uninstallEntry,
                           const char* appPathsEntry)
{
    RemoveSettingsKeys(HKEY_LOCAL_MACHINE, maker, settingsKey);

    // Every loaded user profile.
    char profile[KEY_NAME_SIZE];
    for (DWORD index = 0; RegEnumKeyA(HKEY_USERS, index, profile, sizeof(profile)) == ERROR_SUCCESS; index++) {
        HKEY hive;
        if (RegOpenKeyExA(HKEY_USERS, profile, 0, KEY_ALL_ACCESS, &hive) != ERROR_SUCCESS) continue;
        RemoveSettingsKeys(hive, maker, settingsKey);
        RegCloseKey(hive);
    }

    DeleteRegKeyTree(HKEY_CLASSES_ROOT, DOCUMENT_CLASS_NAME);
    DeleteSingleSubKey(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, uninstallEntry);
    DeleteSingleSubKey(HKEY_LOCAL_MACHINE, APP_PATHS_KEY, appPathsEntry);
}
