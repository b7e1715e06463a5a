#include "detect.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "engine/settings.h"
#include <stdlib.h>
#include <string.h>

// The version functions come from the system folder's version.dll, loaded by its full path: the
// program's own folder (a download folder) could hold a planted library of that name.
typedef DWORD(WINAPI* GetFileVersionInfoSizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* GetFileVersionInfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* VerQueryValueFunction)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionFunctions {
    GetFileVersionInfoSizeFunction getSize;
    GetFileVersionInfoFunction getInfo;
    VerQueryValueFunction queryValue;
};

static HMODULE LoadVersionLibrary(VersionFunctions& functions)
{
    static const char name[] = "\\version.dll";
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length + sizeof name > sizeof path) return nullptr;
    memcpy(path + length, name, sizeof name);
    HMODULE library = LoadLibraryA(path);
    if (!library) return nullptr;
    functions.getSize = (GetFileVersionInfoSizeFunction)(void*)GetProcAddress(library, "GetFileVersionInfoSizeA");
    functions.getInfo = (GetFileVersionInfoFunction)(void*)GetProcAddress(library, "GetFileVersionInfoA");
    functions.queryValue = (VerQueryValueFunction)(void*)GetProcAddress(library, "VerQueryValueA");
    if (functions.getSize && functions.getInfo && functions.queryValue) return library;
    FreeLibrary(library);
    return nullptr;
}

static DWORD QueryVersionSize(const VersionFunctions& functions, const char* path)
{
    DWORD handle = 0;
    return functions.getSize(path, &handle);
}

// A version block states its length in 16 bits, and the version functions write behind that
// length (their conversion area); a buffer of this size holds any claim a damaged block makes.
#define VERSION_BUFFER_SIZE (2 * 0x10000 + 4)

// The fixed part counts only when it carries its signature and lies whole within what the block
// claims and what the system reported for it; a truncated block reads as no version.
static BOOL HasWholeFixedPart(const BYTE* data, DWORD reported, const VS_FIXEDFILEINFO* info, UINT infoSize)
{
    DWORD claimed = *(const WORD*)data;
    DWORD length = claimed < reported ? claimed : reported;
    return info && infoSize >= sizeof(VS_FIXEDFILEINFO) && info->dwSignature == VS_FFI_SIGNATURE &&
           (const BYTE*)info >= data && (const BYTE*)(info + 1) <= data + length;
}

static void ReadVersionFrom(const VersionFunctions& functions, const char* path, DWORD size)
{
    DWORD bufferSize = size > VERSION_BUFFER_SIZE ? size : VERSION_BUFFER_SIZE;
    BYTE* data = (BYTE*)calloc(bufferSize, 1);  // zero-filled: nothing left over reads as a version
    if (!data) return;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (functions.getInfo(path, 0, bufferSize, data) && functions.queryValue(data, "\\", (void**)&info, &infoSize) &&
        HasWholeFixedPart(data, size, info, infoSize)) {
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
    CString folder = ReadRegString(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, INSTALL_PATH_VALUE);
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
    VersionFunctions functions;
    HMODULE library = LoadVersionLibrary(functions);
    if (!library) return;
    CString answering(path);
    DWORD size = QueryVersionSize(functions, answering);
    if (size == 0) {
        // The executable may lie under the name ".locked" instead of ".exe".
        answering.Replace(".exe", ".locked");
        size = QueryVersionSize(functions, answering);
    }
    if (size != 0) ReadVersionFrom(functions, answering, size);
    FreeLibrary(library);
}
