// A stand-in host for GlmRes5.dll. Built several times: each build exports Glm5Callback answering
// HOST_ANSWER, or exports nothing (HOST_NO_EXPORT). It loads the library named on its command line
// and reports what happened through its exit code (bits below), so a test can start it and read
// the outcome without any other channel.
#include <windows.h>

#include "host_report.h"

static int g_calls;
static HMODULE g_exeArg;
static HMODULE g_libArg;

#ifndef HOST_NO_EXPORT
extern "C" __declspec(dllexport) int WINAPI Glm5Callback(HMODULE exe, HMODULE lib)
{
    ++g_calls;
    g_exeArg = exe;
    g_libArg = lib;
    return HOST_ANSWER;
}
#endif

int main(int argc, char** argv)
{
    if (argc < 2)
        return kUsage;
    HMODULE lib = LoadLibraryA(argv[1]);
    DWORD error = lib ? 0 : GetLastError();
    int report = 0;
    if (lib) report |= kLoaded;
    if (g_calls > 0) report |= kCalled;
    if (g_exeArg != nullptr && g_exeArg == GetModuleHandleA(nullptr)) report |= kExeArgIsHost;
    if (g_libArg != nullptr) report |= kLibArgGiven;
    if (lib != nullptr && g_libArg == lib) report |= kLibArgIsLoaded;
    if (error == ERROR_DLL_INIT_FAILED) report |= kInitFailed;
    if (lib) FreeLibrary(lib);
    if (g_calls > 1) report |= kCalledAgain;
    return report;
}
