// The program's entry and its static objects, constructed in this order before InitInstance:
// the instance registry (which registers this process), then the application object.
#include "framework.h"
#include "setupapp.h"
#include "dllsearch.h"
#include "instance/instance.h"
#include "engine/names.h"

CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);
CSetupApp theApp(&g_InstanceManager);

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

extern "C" int WinMainCRTStartup();

// The entry the linker is given: the DLL search is narrowed before the runtime starts and before
// any static object runs, so no later load can pick up a library from the program's folder.
extern "C" int SetupEntry()
{
    RestrictDllSearch();
    return WinMainCRTStartup();
}
