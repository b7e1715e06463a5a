// The shared installation settings: filled by the installation driver, shown and changed by the
// wizard, read by the install transaction.
#pragma once
#include "framework.h"

struct FileVersion {
    int major;
    int minor;
    int release;
    int build;
};

extern BOOL g_bSilent;
extern CString g_strInstallDir;     // installation folder, no trailing backslash
extern CString g_strSourceDir;      // package folder (folder of the running setup), no trailing backslash
extern CString g_strProgramGroup;   // Start-menu group, relative to the Programs folder
extern BOOL g_bNewInstall;
extern BOOL g_bAllUsers;
extern BOOL g_bAutoStart;
extern BOOL g_bDesktopIcon;
extern BOOL g_bRunAfter;
extern BOOL g_bUpgrade;
extern FileVersion g_FileVersion;   // the file version last read by ReadFileVersion
