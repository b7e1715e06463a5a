// Stands in for the web browser in the tests: appends the command line it was started with to
// "opened.txt" beside itself, one line per start.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    char* slash = strrchr(path, '\\');
    if (!slash || (size_t)(slash - path) + sizeof("\\opened.txt") > MAX_PATH) return 1;
    strcpy(slash, "\\opened.txt");
    FILE* file = fopen(path, "ab");
    if (!file) return 1;
    fprintf(file, "%s\n", GetCommandLineA());
    fclose(file);
    return 0;
}
