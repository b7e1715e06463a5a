#include "userinterface.h"
#include "outcome.h"

static UserInterface s_interface;
static bool s_loaded;

// The functions in the order of UserInterface, each list ending with an empty name.
static const char* const UserFunctions[] = { "LoadStringW", "MessageBoxW", "CreateWindowExW", "MoveWindow",
                                             "DestroyWindow", "PeekMessageW", "DispatchMessageW", "SendMessageW",
                                             "GetSystemMetrics", "" };
static const char* const GdiFunctions[] = { "GetStockObject", "" };

// Loads the system folder's library and fills the next pointers of the table; false when one is missing.
static bool LoadFunctions(const wchar_t* library, const char* const* names, FARPROC*& next)
{
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH - 16);
    if (length == 0 || length >= MAX_PATH - 16) return false;
    FormatText(path + length, MAX_PATH - length, L"\\%s", library);
    HMODULE module = LoadLibraryW(path);
    if (!module) return false;
    for (; **names; names++)
        if (!(*next++ = GetProcAddress(module, *names))) return false;
    return true;
}

const UserInterface* LoadUserInterface()
{
    if (!s_loaded) {
        FARPROC* next = (FARPROC*)&s_interface;
        s_loaded = LoadFunctions(L"user32.dll", UserFunctions, next) && LoadFunctions(L"gdi32.dll", GdiFunctions, next);
    }
    return s_loaded ? &s_interface : nullptr;
}
