#include "pathtext.h"
#include <string.h>

bool JoinPath(char* out, size_t size, const char* folder, const char* name)
{
    size_t folderLength = strlen(folder);
    bool separator = folderLength > 0 && folder[folderLength - 1] != '\\' && folder[folderLength - 1] != '/';
    size_t length = folderLength + (separator ? 1 : 0) + strlen(name);
    if (size == 0) return false;
    out[0] = '\0';
    if (length >= size) return false;
    memcpy(out, folder, folderLength);
    if (separator) out[folderLength++] = '\\';
    strcpy(out + folderLength, name);
    return true;
}

static char LowerAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? (char)(ch - 'A' + 'a') : ch;
}

bool IsDotEntry(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

bool EqualNoCaseAscii(const char* a, const char* b)
{
    for (; *a && *b; a++, b++)
        if (LowerAscii(*a) != LowerAscii(*b)) return false;
    return *a == *b;
}

// An element of dots (and the blanks and dots Windows drops from the end of a name) with two or
// more dots climbs to the parent folder.
static bool IsParentElement(const char* element, size_t length)
{
    size_t dots = 0;
    for (size_t i = 0; i < length; i++) {
        if (element[i] == '.') dots++;
        else if (element[i] != ' ') return false;
    }
    return dots >= 2;
}

bool IsSafeRelativeName(const char* name)
{
    if (!name[0] || name[0] == '\\' || name[0] == '/' || strchr(name, ':')) return false;
    const char* element = name;
    for (;;) {
        size_t length = strcspn(element, "\\/");
        if (IsParentElement(element, length)) return false;
        if (!element[length]) return true;
        element += length + 1;
    }
}

const char* FindLastSeparator(const char* path)
{
    const char* backslash = strrchr(path, '\\');
    const char* slash = strrchr(path, '/');
    if (!backslash || !slash) return backslash ? backslash : slash;
    return backslash > slash ? backslash : slash;
}

bool HasLinkExtension(const char* name)
{
    size_t length = strlen(name);
    return length >= 4 && EqualNoCaseAscii(name + length - 4, ".lnk");
}

#ifdef _WIN32
CString GetParentFolder(const char* path)
{
    if (!path) return CString();
    CString folder(path);
    int length = folder.GetLength();
    if (length > 0 && folder[length - 1] == '\\') folder = folder.Left(length - 1);
    int slash = folder.ReverseFind('\\');
    if (slash <= 0) return CString();
    return folder.Left(slash);
}

CString GetFolderOfFile(const char* path)
{
    CString text(path);
    int end = text.GetLength();
    while (end > 0 && text[end - 1] != '\\' && text[end - 1] != '/' && text[end - 1] != ':') --end;
    // The separator goes, but for a root's ("C:\", "\") and the drive's own ":".
    if (end > 1 && text[end - 1] != ':' && text[end - 2] != ':') --end;
    return text.Left(end);
}

BOOL PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Reads the volume and file index of a file, which name it whatever its spelling.
static BOOL ReadFileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION* info)
{
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    BOOL read = GetFileInformationByHandle(file, info);
    CloseHandle(file);
    return read;
}

BOOL IsSameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    return ReadFileIdentity(a, &infoA) && ReadFileIdentity(b, &infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
           infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}
#endif
