#include "detect.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "engine/settings.h"
#include <stdlib.h>

// The version functions are used here only.
static DWORD QueryVersionSize(const char* path)
{
    DWORD handle = 0;
    return GetFileVersionInfoSizeA(path, &handle);
}

static void ReadVersionFrom(const char* path, DWORD size)
{
    void* data = malloc(size);
    if (!data) return;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (GetFileVersionInfoA(path, 0, size, data) && VerQueryValueA(data, "\\", (void**)&info, &infoSize) &&
        info && infoSize >= sizeof(VS_FIXEDFILEINFO)) {
        g_FileVersion.major = HIWORD(info->dwFileVersionMS);
        g_FileVersion.minor = LOWORD(info->dwFileVersionMS);
        g_FileVersion.release = HIWORD(info->dwFileVersionLS);
        g_FileVersion.build = LOWORD(info->dwFileVersionLS);
    }
    free(data);
}

static void RemoveTrailingBackslash(CString& folder)
{
    int length = folder.GetLength();
    if (length > 0 && folder[length - 1] == '\\') folder = folder.Left(length - 1);
}

CString GetInstalledDir()
{
    CString folder = ReadRegString(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path");
    if (folder.IsEmpty()) {
        CString appPath = ReadRegString(HKEY_LOCAL_MACHINE, APP_PATHS_KEY "\\" APP_EXE_NAME, nullptr);
        int end = appPath.Find("\\" APP_EXE_NAME);
        if (end >= 0) folder = appPath.Left(end);
    }
    RemoveTrailingBackslash(folder);
    return folder;
}

CString GetProgramFilesDir()
{
    CString folder = ReadRegString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir");
    if (folder.IsEmpty()) {
        char windowsDir[MAX_PATH + 1] = {};
        GetWindowsDirectoryA(windowsDir, MAX_PATH);
        folder = windowsDir;
        // C:\WINDOWS gives the drive's root C:\.
        int backslash = folder.Find('\\');
        if (backslash >= 0) folder = folder.Left(backslash + 1);
        folder += "Program Files";
    }
    RemoveTrailingBackslash(folder);
    return folder;
}

CString GetSetupDir()
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString program(path);
    int backslash = program.ReverseFind('\\');
    return backslash >= 0 ? program.Left(backslash) : CString();
}

void ReadFileVersion(const char* path)
{
    g_FileVersion.major = g_FileVersion.minor = g_FileVersion.release = g_FileVersion.build = 0;
    CString answering(path);
    DWORD size = QueryVersionSize(answering);
    if (size == 0) {
        // The executable may lie under the name ".locked" instead of ".exe".
        answering.Replace(".exe", ".locked");
        size = QueryVersionSize(answering);
        if (size == 0) return;
    }
    ReadVersionFrom(answering, size);
}
