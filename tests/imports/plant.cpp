// A library planted beside a program. When anything loads it, it creates a named event, so a test can tell that the planted copy was picked up.
#include <windows.h>

static HANDLE g_marker;

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) g_marker = CreateEventA(nullptr, TRUE, FALSE, "GlmPlantedLibraryLoaded");
    return TRUE;
}
