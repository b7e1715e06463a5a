#include "hardsuite.h"
#include <stdio.h>

bool HeapsIntact()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; i++)
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    return true;
}

std::string Repeat(char ch, size_t n)
{
    return std::string(n, ch);
}

// A crash in a row ends the program at once with a message, instead of waiting on the system's
// debugger; the test run then fails.
static LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    fprintf(stderr, "hardening: crash, exception 0x%08lX at %p\n", (unsigned long)info->ExceptionRecord->ExceptionCode,
            info->ExceptionRecord->ExceptionAddress);
    fflush(stderr);
    ExitProcess(3);
}

static const bool g_crashReporting = (SetUnhandledExceptionFilter(ReportCrash), SetErrorMode(SEM_NOGPFAULTERRORBOX), true);
