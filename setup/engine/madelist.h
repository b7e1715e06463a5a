// What this run made on the machine (new files, folders, registry keys and values), so that a
// failed installation can take exactly that away again and leave everything that was there before.
#pragma once
#include <windows.h>

void NoteMadeFile(const char* path);
void NoteMadeFolder(const char* path);
// A key or value under HKEY_LOCAL_MACHINE; value null is the key's default value.
void NoteMadeKey(const char* key);
void NoteMadeValue(const char* key, const char* value);

// Takes away everything noted, the latest first, and forgets it.
void UndoMadeItems();
// Forgets what was noted (the run succeeded, or a new one begins).
void ForgetMadeItems();
