// Entry point of the resource library GlmRes5.dll. The library holds resources only; its one piece
// of behaviour is the load-time handshake with the host executable.
#include <windows.h>

namespace {

const char kLibraryFileName[] = "GlmRes5.dll";
const char kHostCallbackName[] = "Glm5Callback";
const int kHostAccepts = 2741;

// The host's export: stdcall, (host executable, this library) -> answer.
typedef int(WINAPI* HostCallback)(HMODULE exe, HMODULE lib);

// Asks the host whether it admits the library. The library's handle is looked up by its file
// name, so a renamed copy hands the host a null second argument and the host decides.
// A host that does not export the callback cannot answer the handshake: the attach then fails,
// exactly as for a host that answers anything but 2741, and nothing is called.
BOOL AskHostToAdmit(HINSTANCE self)
{
    DisableThreadLibraryCalls(self);
    HMODULE exe = GetModuleHandleA(NULL);
    HMODULE lib = GetModuleHandleA(kLibraryFileName);
    HostCallback callback = (HostCallback)GetProcAddress(exe, kHostCallbackName);
    if (callback == NULL)
        return FALSE;
    return callback(exe, lib) == kHostAccepts;
}

} // namespace

// Linked as the image's entry point (no C runtime: the library needs only kernel32).
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    return AskHostToAdmit(instance);
}
