// The program's entry and its static objects, constructed in this order before InitInstance:
// the instance registry (which registers this process), then the application object.
#include "framework.h"
#include "setupapp.h"
#include "dllsearch.h"
#include "instance/instance.h"
#include "engine/names.h"
#include <stdlib.h>

// The program's allocation: plain malloc and free. The library's operator new reports failure by
// throwing, which would bring the whole C++ exception runtime (over 100 KB) into a program built
// without exceptions; here a failed allocation yields null.
void* operator new(size_t size) { return malloc(size ? size : 1); }
void* operator new[](size_t size) { return malloc(size ? size : 1); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }

CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);
CSetupApp theApp(&g_InstanceManager);

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return RunApp(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

extern "C" int WinMainCRTStartup();

// The entry the linker is given: the DLL search is narrowed before the runtime starts and before
// any static object runs, so no later load can pick up a library from the program's folder.
extern "C" int SetupEntry()
{
    RestrictDllSearch();
    return WinMainCRTStartup();
}
