// Shell folders and shortcuts.
#pragma once
#include "framework.h"

// The Shell Folders value (HKEY_LOCAL_MACHINE when allUsers, else HKEY_CURRENT_USER); empty when missing.
CString GetShellFolder(BOOL allUsers, const char* valueName);

// Saves a shortcut and records it in the installation log; the save's result (or the failure of
// the link object) is returned.
HRESULT CreateShellLink(const char* target, const char* linkPath, const char* description,
                        int showCmd, const char* arguments, const char* workingDir);
