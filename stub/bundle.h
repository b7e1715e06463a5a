// The stub's own file and the payload appended to it.
#pragma once
#include <windows.h>
#include <stdint.h>

struct Bundle {
    HANDLE file;            // the stub's own file, open for reading; writers are kept out
    uint64_t streamOffset;  // where the payload's LZMA stream begins in the file
    uint64_t streamLength;
};

// Opens the program's own file and finds the payload after its last section: a signature's
// table must end where the file ends, the payload's length must match the file's and its SHA-256
// the stream. Records the damage or failure and returns false otherwise.
bool OpenBundle(const wchar_t* path, Bundle& bundle);

// Reads size bytes at offset; false when they cannot all be read.
bool ReadBundleBytes(const Bundle& bundle, uint64_t offset, void* buffer, DWORD size);
