// Deleting a file at the next start of Windows.
#pragma once
#include <windows.h>

// Through the system's delayed-operation list, or else the "rename" section of WININIT.INI.
// FALSE when neither took it.
BOOL DeleteOnReboot(const char* path);

// Adds "NUL=" + path to the end of the "rename" section of WININIT.INI, keeping the entries there.
// FALSE, and the file left as it was, when the section and the entry do not fit in 16384 bytes.
BOOL AddWininitDeletion(const char* path);
