// Registry cleanup of an uninstall.
#pragma once
#include <windows.h>

// Deletes parent\subKey with all its children; TRUE when the key itself was deleted.
BOOL DeleteRegKeyTree(HKEY parent, const char* subKey);

// Deletes parent\subKey when it has no subkeys (its values go with it).
void DeleteRegKeyIfNoSubkeys(HKEY parent, const char* subKey);

void RemoveAppRegistryKeys(const char* maker, const char* settingsKey, const char* uninstallEntry,
                           const char* appPathsEntry);
