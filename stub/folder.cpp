#include "folder.h"
#include "outcome.h"
#include <ntsecapi.h>

#define NAME_PREFIX L"Glm5-"
#define RANDOM_BYTES 8
#define MAKE_ATTEMPTS 16
#define REMOVE_ATTEMPTS 30
#define REMOVE_PAUSE_MS 100

bool MakeUnpackFolder(wchar_t* folder)
{
    wchar_t temp[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, temp);
    // Room for the name and for the package's names below it.
    if (length == 0 || length > MAX_PATH - 64) {
        RecordFailure(L"unpack folder", L"%TEMP%", length ? ERROR_FILENAME_EXCED_RANGE : GetLastError());
        return false;
    }
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < MAKE_ATTEMPTS && error == ERROR_ALREADY_EXISTS; attempt++) {
        unsigned char random[RANDOM_BYTES];
        if (!RtlGenRandom(random, sizeof random)) {
            error = GetLastError();
            break;
        }
        int length = FormatText(folder, MAX_PATH, L"%s" NAME_PREFIX, temp);
        for (unsigned char byte : random) length += FormatText(folder + length, MAX_PATH - length, L"%02X", byte);
        if (CreateDirectoryW(folder, nullptr)) return true;
        error = GetLastError();
    }
    RecordFailure(L"unpack folder", folder, error);
    return false;
}

// Removes what the folder holds; path has room for PATH_BUFFER characters and holds the folder's
// path, length characters long. Links (reparse points) are removed, never entered.
static bool RemoveContents(wchar_t* path, int length)
{
    lstrcpyW(path + length, L"\\*");
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(path, &entry);
    path[length] = 0;
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool removed = true;
    do {
        const wchar_t* name = entry.cFileName;
        if (lstrcmpW(name, L".") == 0 || lstrcmpW(name, L"..") == 0) continue;
        int nameLength = lstrlenW(name);
        if (length + 1 + nameLength >= PATH_BUFFER - 2) {
            removed = false;
            continue;
        }
        path[length] = L'\\';
        lstrcpyW(path + length + 1, name);
        DWORD attributes = entry.dwFileAttributes;
        SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
            removed = DeleteFileW(path) && removed;
        else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            removed = RemoveDirectoryW(path) && removed;
        else
            removed = RemoveContents(path, length + 1 + nameLength) && RemoveDirectoryW(path) && removed;
        path[length] = 0;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return removed;
}

bool RemoveFolderTree(const wchar_t* folder)
{
    wchar_t path[PATH_BUFFER];
    for (int attempt = 0; attempt < REMOVE_ATTEMPTS; attempt++) {
        if (attempt > 0) Sleep(REMOVE_PAUSE_MS);
        lstrcpynW(path, folder, PATH_BUFFER);
        if (RemoveContents(path, lstrlenW(path)) && RemoveDirectoryW(folder)) return true;
        if (GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES) return true;
    }
    return false;
}
