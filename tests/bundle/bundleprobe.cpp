// Stands in for a package's setup.exe in bundle tests: records how the stub started it into the
// file that GLM_PROBE_RECORD names (its program, current folder, "sfxname" and each argument, one
// a line), and ends with the exit code given after "-exit". "-litter" leaves files of its own in its
// folder, a read-only one and a sub-folder among them, as a setup program might.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void WriteSmallFile(const char* path, DWORD attributes)
{
    FILE* file = fopen(path, "wb");
    if (file) fputs("left by the setup\n", file), fclose(file);
    SetFileAttributesA(path, attributes);
}

static void Litter(const char* folder)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\left", folder);
    CreateDirectoryA(path, nullptr);
    snprintf(path, sizeof path, "%s\\left\\deeper", folder);
    CreateDirectoryA(path, nullptr);
    snprintf(path, sizeof path, "%s\\left\\deeper\\kept.txt", folder);
    WriteSmallFile(path, FILE_ATTRIBUTE_READONLY);
    snprintf(path, sizeof path, "%s\\setup.tmp", folder);
    WriteSmallFile(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char record[MAX_PATH] = "", program[MAX_PATH] = "", current[MAX_PATH] = "", package[MAX_PATH] = "";
    GetEnvironmentVariableA("GLM_PROBE_RECORD", record, MAX_PATH);
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, current);
    GetEnvironmentVariableA("sfxname", package, MAX_PATH);
    FILE* file = fopen(record, "wb");
    if (file) {
        fprintf(file, "program %s\ncurrent %s\nsfxname %s\n", program, current, package);
        for (int i = 1; i < __argc; i++) fprintf(file, "argument %s\n", __argv[i]);
        fclose(file);
    }
    int code = 0;
    for (int i = 1; i < __argc; i++) {
        if (strcmp(__argv[i], "-exit") == 0 && i + 1 < __argc) code = atoi(__argv[i + 1]);
        if (strcmp(__argv[i], "-litter") == 0) Litter(current);
    }
    return code;
}
