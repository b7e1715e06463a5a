#include "dllsearch.h"
#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

typedef BOOL(WINAPI* SetDllDirectoryFunction)(LPCSTR);
typedef BOOL(WINAPI* SetDefaultDllDirectoriesFunction)(DWORD);

void RestrictDllSearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    // The empty text removes the current folder from the classic search order.
    SetDllDirectoryFunction setDllDirectory =
        (SetDllDirectoryFunction)(void*)GetProcAddress(kernel, "SetDllDirectoryA");
    if (setDllDirectory) setDllDirectory("");
    SetDefaultDllDirectoriesFunction setDefaultDllDirectories =
        (SetDefaultDllDirectoriesFunction)(void*)GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (setDefaultDllDirectories) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
