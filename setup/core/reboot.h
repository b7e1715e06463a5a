// Deleting a file at the next start of Windows.
#pragma once

// Through the system's delayed-operation list, or else the "rename" section of WININIT.INI.
void DeleteOnReboot(const char* path);
