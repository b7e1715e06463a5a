// Entry point of the resource library GlmRes5.dll. The library holds resources only; its one piece
// of behaviour is the load-time handshake with the host executable.
#include <windows.h>

#define LIBRARY_FILE_NAME "GlmRes5.dll"
#define HOST_CALLBACK_NAME "Glm5Callback"
#define HOST_ACCEPTS 2741

namespace {

// The host's export: stdcall, (host executable, this library) -> answer.
typedef int(WINAPI* HostCallback)(HMODULE exe, HMODULE lib);

// Asks the host whether it admits the library. The library's handle is looked up by its file
// name, so a renamed copy hands the host a null second argument and the host decides.
// A host that does not export the callback cannot answer the handshake: the attach then fails,
// exactly as for a host that answers anything but 2741, and nothing is called.
BOOL AskHostToAdmit(HINSTANCE self)
{
    DisableThreadLibraryCalls(self);
    HMODULE exe = GetModuleHandleA(nullptr);
    HMODULE lib = GetModuleHandleA(LIBRARY_FILE_NAME);
    HostCallback callback = (HostCallback)GetProcAddress(exe, HOST_CALLBACK_NAME);
    if (callback == nullptr)
        return FALSE;
    return callback(exe, lib) == HOST_ACCEPTS;
}

} // namespace

// Linked as the image's entry point (no C runtime: the library needs only kernel32).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    return AskHostToAdmit(instance);
}
