// Installed-version and path detection (folders as engine/pathtext.h says).
#pragma once
#include "framework.h"

CString GetInstalledDir();
CString GetProgramFilesDir();
CString GetSetupDir();

// Sets g_FileVersion to the file version of the executable (0.0.0.0 when none can be read).
void ReadFileVersion(const char* path);
