// The physical baseline of an uninstallation: deletes every file of a folder tree with
// DeleteFileA and its folders with RemoveDirectoryA. Prints the milliseconds of the work.
#include <windows.h>
#include <stdio.h>
#include <string.h>

static void DeleteTree(const char* folder)
{
    char search[MAX_PATH];
    wsprintfA(search, "%s\\*", folder);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(search, &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!strcmp(entry.cFileName, ".") || !strcmp(entry.cFileName, "..")) continue;
            char path[MAX_PATH];
            wsprintfA(path, "%s\\%s", folder, entry.cFileName);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(path);
            else DeleteFileA(path);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder);
}

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    DeleteTree(argv[1]);
    QueryPerformanceCounter(&end);
    printf("%.3f\n", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
    return 0;
}
