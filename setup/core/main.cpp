// The program's entry and its static objects, constructed in this order before InitInstance:
// the instance registry (which registers this process), then the application object.
#include "framework.h"
#include "setupapp.h"
#include "instance/instance.h"
#include "engine/names.h"

CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);
CSetupApp theApp(&g_InstanceManager);

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
