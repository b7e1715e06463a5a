#include "reboot.h"
#include <string.h>

#define WININIT_FILE "WININIT.INI"
#define WININIT_SECTION "rename"
#define WININIT_BUFFER_SIZE 16384

BOOL AddWininitDeletion(const char* path)
{
    char section[WININIT_BUFFER_SIZE];
    section[0] = '\0';
    // The count excludes the list's closing NUL; a section larger than the buffer reads as
    // WININIT_BUFFER_SIZE - 2 and never leaves room below. Writing back a cut section would lose
    // entries, so an entry that does not fit is not added at all.
    DWORD end = GetPrivateProfileSectionA(WININIT_SECTION, section, WININIT_BUFFER_SIZE, WININIT_FILE);
    size_t entryLength = 4 + strlen(path) + 1;  // "NUL=" + path + its NUL
    if (end + entryLength + 1 > WININIT_BUFFER_SIZE) return FALSE;
    memcpy(section + end, "NUL=", 4);
    memcpy(section + end + 4, path, entryLength - 4);
    section[end + entryLength] = '\0';
    return WritePrivateProfileSectionA(WININIT_SECTION, section, WININIT_FILE);
}

BOOL DeleteOnReboot(const char* path)
{
    if (MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return TRUE;
    return AddWininitDeletion(path);
}
