// Where the glmres tests find the library and the stand-in hosts, and their scratch folder.
#pragma once
#include <windows.h>
#include <string>
#include "process.h"

// build/tests/glmres/<program> -> build/resources/GlmRes5.dll
inline std::string LibraryPath()
{
    std::string relative = TestProgramDir() + "\\..\\..\\resources\\GlmRes5.dll";
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : relative;
}

inline std::string HostPath(const std::string& name)
{
    return TestProgramDir() + "\\" + name + ".exe";
}

const char kScratchDir[] = "C:\\glmtest\\glmres";
