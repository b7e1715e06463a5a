// The physical baseline of an installation: copies every file of a folder tree into another
// with CopyFileA, creating the folders, and nothing else.
#include <windows.h>
#include <string.h>

static void CopyTree(const char* source, const char* target)
{
    CreateDirectoryA(target, nullptr);
    char search[MAX_PATH];
    wsprintfA(search, "%s\\*", source);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(search, &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!strcmp(entry.cFileName, ".") || !strcmp(entry.cFileName, "..")) continue;
        char from[MAX_PATH], to[MAX_PATH];
        wsprintfA(from, "%s\\%s", source, entry.cFileName);
        wsprintfA(to, "%s\\%s", target, entry.cFileName);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from, to);
        else CopyFileA(from, to, FALSE);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    CopyTree(argv[1], argv[2]);
    return 0;
}
