// The unpack folder: new for each run, under the user's temporary folder, and removed again.
#pragma once
#include <windows.h>

// Makes a folder with a new, unpredictable name ("Glm5-" and 16 random hexadecimal digits) in the
// user's temporary folder, with a call that fails when the name exists, so it is never a folder
// that was there before. folder receives its path (MAX_PATH characters). Records the failure and
// returns false when no folder could be made.
bool MakeUnpackFolder(wchar_t* folder);

// Removes the folder and everything in it, without following links out of it. Files held for a
// moment longer by the process that just ended are waited for, up to about 3 s. False when
// something is left.
bool RemoveFolderTree(const wchar_t* folder);
