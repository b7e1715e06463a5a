// Shell folders and shortcuts.
#pragma once
#include "framework.h"

// The Shell Folders value (HKEY_LOCAL_MACHINE when allUsers, else HKEY_CURRENT_USER); empty when missing.
CString GetShellFolder(BOOL allUsers, const char* valueName);

// The shell folders shortcuts go into, for all users or for one.
enum ShellFolderKind { SHELL_PROGRAMS, SHELL_DESKTOP, SHELL_STARTUP };
// The kind's value name: "Common Programs" for all users, "Programs" for one.
const char* GetShellFolderValueName(BOOL allUsers, ShellFolderKind kind);
// The kind's folder for all users or for the current user; empty when missing.
CString GetShellFolderOf(BOOL allUsers, ShellFolderKind kind);

// Saves a shortcut and records it in the installation log; the save's result (or the failure of
// the link object) is returned.
HRESULT CreateShellLink(const char* target, const char* linkPath, const char* description,
                        int showCmd, const char* arguments, const char* workingDir);
