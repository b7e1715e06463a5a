// Libraries planted in the program's folder: the version functions never come from there, and
// after the start-up restriction no library by bare name does.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "core/detect.h"
#include "framework/dllsearch.h"
#include "engine/settings.h"
#include "process.h"

static bool PlantedLibraryLoaded()
{
    HANDLE marker = OpenEventA(SYNCHRONIZE, FALSE, "GlmPlantedLibraryLoaded");
    if (!marker) return false;
    CloseHandle(marker);
    return true;
}

static std::string SystemFile(const char* name)
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

static std::string VersionText()
{
    return std::to_string(g_FileVersion.major) + "." + std::to_string(g_FileVersion.minor) + "." +
           std::to_string(g_FileVersion.release) + "." + std::to_string(g_FileVersion.build);
}

// The version of a file as the system's own version.dll reads it, for comparison.
static std::string SystemReadVersion(const std::string& path)
{
    HMODULE library = LoadLibraryA(SystemFile("version.dll").c_str());
    if (!library) return "no version.dll";
    auto getSize = (DWORD(WINAPI*)(LPCSTR, LPDWORD))(void*)GetProcAddress(library, "GetFileVersionInfoSizeA");
    auto getInfo = (BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID))(void*)GetProcAddress(library, "GetFileVersionInfoA");
    auto query = (BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT))(void*)GetProcAddress(library, "VerQueryValueA");
    std::string text = "unreadable";
    DWORD handle = 0;
    DWORD size = getSize(path.c_str(), &handle);
    std::string data(size, '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (size && getInfo(path.c_str(), 0, size, &data[0]) && query(&data[0], "\\", (void**)&info, &infoSize)) {
        text = std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
               "." + std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
    }
    FreeLibrary(library);
    return text;
}

// The test program's folder holds a planted "glmplant.dll" (built beside it). Wine itself always
// loads its own version.dll, whatever lies beside a program, so that name cannot be planted here;
// the version reader is checked for loading it at run time and reading what the system reads.
TEST(DllSearch, PlantedLibraryUnreachableAfterRestriction)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((TestProgramDir() + "\\glmplant.dll").c_str()));
    std::string kernel = SystemFile("kernel32.dll");
    ReadFileVersion(kernel.c_str());
    EXPECT_NE(0, g_FileVersion.major) << "version read: " << VersionText();
    EXPECT_EQ(SystemReadVersion(kernel), VersionText());

    // Before the restriction a bare name finds a library in the program's folder...
    HMODULE planted = LoadLibraryA("glmplant.dll");
    ASSERT_NE(nullptr, planted) << "the planted library should be reachable before the restriction";
    EXPECT_TRUE(PlantedLibraryLoaded());
    FreeLibrary(planted);

    // ...after it, only the system folder is searched.
    RestrictDllSearch();
    HMODULE after = LoadLibraryA("glmplant.dll");
    EXPECT_EQ(nullptr, after) << "a library of the program's folder was loaded after RestrictDllSearch";
    if (after) FreeLibrary(after);
    HMODULE system = LoadLibraryA("version.dll");
    EXPECT_NE(nullptr, system) << "system libraries must still load by bare name";
    if (system) {
        char loaded[MAX_PATH] = {};
        GetModuleFileNameA(system, loaded, sizeof loaded);
        EXPECT_EQ(0, lstrcmpiA(SystemFile("version.dll").c_str(), loaded)) << loaded;
        FreeLibrary(system);
    }
    ReadFileVersion(kernel.c_str());
    EXPECT_EQ(SystemReadVersion(kernel), VersionText()) << "after the restriction";
}
