// Path texts: joining within a fixed buffer, comparing folders, and checking the relative names
// that install scripts and logs carry. Plain C library only.
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
