// Path texts: joining, parent folders, comparing, checking the relative names that install
// scripts and logs carry, and whether a path exists.
//
// Folders: every function of the setup program that takes or returns a folder writes it without
// a trailing separator ("C:\Program Files\Glimra 5"), but for a drive's root, which the system
// gives as "C:\". One that takes a folder accepts it ending in "\" or "/" too: names are joined
// to it with JoinPath, which adds a separator only where one is missing.
#pragma once
#include <stddef.h>

// out = folder + a backslash (unless folder is empty or ends in "\" or "/") + name.
// false, and out empty, when the result does not fit in size bytes.
bool JoinPath(char* out, size_t size, const char* folder, const char* name);

// The "." or ".." entry of a directory search, compared exactly.
bool IsDotEntry(const char* name);

// Equal texts when ASCII letters are compared without regard to case.
bool EqualNoCaseAscii(const char* a, const char* b);

// A name that stays inside the folder it is resolved against: not empty, no drive or other ":",
// no leading "\" or "/", and no ".." element.
bool IsSafeRelativeName(const char* name);

// The last folder separator of a path, "\\" or "/" (Windows takes both); null when there is none.
const char* FindLastSeparator(const char* path);

// The name ends in ".lnk", in any letter case.
bool HasLinkExtension(const char* name);

#ifdef _WIN32
// These need the framework's CString and the file system; the rest is plain C library and is also
// built natively, for fuzzing.
#include "cstring.h"

// The folder part of a folder's path, split at "\" only: "C:\A" for "C:\A\B" and "C:\A\B\";
// empty for "A", "\A" and null.
CString GetParentFolder(const char* path);

// The folder of a file's path, split at its last "\", "/" or ":": "C:\A" for "C:\A\f.exe", the
// root "C:\" for "C:\f.exe", "\" for "\f.exe", "C:" for "C:f.exe"; empty for "f.exe".
CString GetFolderOfFile(const char* path);

// A file or folder of that path exists.
BOOL PathExists(const char* path);

// Whether two paths are one existing file: an 8.3 name, "." in the path, another letter case or
// another drive mapping spell the same file differently.
BOOL IsSameFile(const char* a, const char* b);
#endif
