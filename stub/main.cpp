// The bundle's stub: a program with the package folder appended as its payload
// (see payload.h). It checks the payload, unpacks it into a new folder of its own under the
// user's temporary folder, runs the package's setup.exe there with the same command line, waits
// for it, removes the folder and ends with the setup's exit code. A damaged payload ends with
// exit code 1, a failure of its own (no folder, a full disk) with 1603; nothing is left behind.
#include "bundle.h"
#include "commandline.h"
#include "folder.h"
#include "outcome.h"
#include "unpack.h"
#include "framework/dllsearch.h"

// The environment variable through which the setup finds the file it was unpacked from (a
// settings file beside it is installed too).
#define PACKAGE_PATH_VARIABLE L"sfxname"

extern "C" {
// msvcrt splits the command line into the arguments, without expanding wildcards.
struct StartupInfo { int newMode; };
int __cdecl __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int expandWildcards, StartupInfo* info);
// The linker's list of references to imported data, which the runtime's relocator would patch at
// start. ld refers to the relocator from every program; this one has nothing to patch.
extern char __RUNTIME_PSEUDO_RELOC_LIST__, __RUNTIME_PSEUDO_RELOC_LIST_END__;
void _pei386_runtime_relocator() {}
}

// Starts the setup program in the folder and waits for its end; false when it could not start.
static bool RunSetup(const wchar_t* folder, const wchar_t* bundlePath, int argc, wchar_t** argv, DWORD& exitCode)
{
    wchar_t setupPath[PATH_BUFFER];
    FormatText(setupPath, PATH_BUFFER, L"%s\\setup.exe", folder);
    wchar_t* commandLine = MakeSetupCommandLine(setupPath, argc, argv);
    if (!commandLine) {
        RecordFailure(L"starting", setupPath, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    SetEnvironmentVariableW(PACKAGE_PATH_VARIABLE, bundlePath);
    STARTUPINFOW own, startup = {};
    GetStartupInfoW(&own);
    startup.cb = sizeof startup;
    startup.dwFlags = own.dwFlags & STARTF_USESHOWWINDOW;
    startup.wShowWindow = own.wShowWindow;
    LogStubLine(L"starting %s", commandLine);
    PROCESS_INFORMATION process;
    bool started = CreateProcessW(setupPath, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                                  &process);
    if (!started) RecordFailure(L"starting", setupPath, GetLastError());
    HeapFree(GetProcessHeap(), 0, commandLine);
    if (!started) return false;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    LogStubLine(L"setup.exe ended with exit code %lu", exitCode);
    return true;
}

static DWORD RunBundle()
{
    int argc = 0;
    wchar_t** argv = nullptr;
    wchar_t** env;
    StartupInfo info = { 0 };
    if (__wgetmainargs(&argc, &argv, &env, 0, &info) < 0) argc = 0;
    bool silent = IsSilentRun(argc, argv);
    StartStubLog(FindLogFile(argc, argv));
    wchar_t bundlePath[PATH_BUFFER] = L"";
    DWORD length = GetModuleFileNameW(nullptr, bundlePath, PATH_BUFFER);
    LogStubLine(L"setup file %s: %s", bundlePath, GetCommandLineW());

    DWORD exitCode = 0;
    bool ran = false;
    Bundle bundle;
    wchar_t folder[MAX_PATH];
    if (length == 0 || length >= PATH_BUFFER) {
        RecordFailure(L"opening the setup file", L"?", length ? ERROR_FILENAME_EXCED_RANGE : GetLastError());
    } else if (OpenBundle(bundlePath, bundle) && MakeUnpackFolder(folder)) {
        LogStubLine(L"unpack folder %s: made", folder);
        ran = UnpackPayload(bundle, folder, !silent) && RunSetup(folder, bundlePath, argc, argv, exitCode);
        if (RemoveFolderTree(folder)) LogStubLine(L"unpack folder %s: removed", folder);
        else LogStubLine(L"unpack folder %s: NOT removed, error %lu", folder, GetLastError());
    }
    if (!ran) {
        exitCode = GetFaultExitCode();
        if (!silent) ShowFault();
    }
    LogStubLine(L"exit code %lu", exitCode);
    return exitCode;
}

// The entry the linker is given: the DLL search is narrowed before anything else runs, so no
// library is picked up from the download folder. Windows may call it with a stack aligned to 4
// bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void StubEntry()
{
    RestrictDllSearch();
    // Nothing patches references to imported data here: a program with any would run with bad
    // pointers, so it stops at once instead.
    if (&__RUNTIME_PSEUDO_RELOC_LIST__ != &__RUNTIME_PSEUDO_RELOC_LIST_END__) ExitProcess(EXIT_UNPACK_FAILED);
    ExitProcess(RunBundle());
}
