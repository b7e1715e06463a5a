// A library that admits itself only when its host answers Glm5Callback with 2741, as the
// application's resource library does; used to try the stand-in application's answer.
#include <windows.h>

typedef LONG(WINAPI* HostCallback)(HMODULE, HMODULE);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    HMODULE exe = GetModuleHandleA(nullptr);
    HostCallback callback = (HostCallback)GetProcAddress(exe, "Glm5Callback");
    return callback && callback(exe, instance) == 2741;
}
