#include "settings.h"

BOOL g_bSilent = FALSE;
CString g_strInstallDir;
CString g_strSourceDir;
CString g_strProgramGroup;
BOOL g_bNewInstall = FALSE;
BOOL g_bAllUsers = FALSE;
BOOL g_bAutoStart = FALSE;
BOOL g_bDesktopIcon = TRUE;
BOOL g_bRunAfter = FALSE;
BOOL g_bUpgrade = FALSE;
FileVersion g_FileVersion = { 0, 0, 0, 0 };
