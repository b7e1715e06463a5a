// Windows programs read from their files' bytes, without loading them: the version block the
// setup checks, the string-table texts the setup names its shortcuts with, and where the sections
// end (what follows them is a bundle's payload).
#pragma once
#include <stdint.h>
#include <string>

struct PeVersion {
    unsigned major, minor, release, build;
};

// The file version of the fixed part of the version resource, as the system's version functions
// give it to the setup; false when the file has no readable one (the setup then reads 0.0.0.0).
bool ReadPeFileVersion(const std::string& file, PeVersion& version);

// The string of that id from the program's string table; false when it has none.
bool ReadPeString(const std::string& file, unsigned id, std::u16string& text);

struct PeLayout {
    uint64_t sectionsEnd;      // the end of the last section's data in the file
    uint32_t certificateSize;  // the size of a signature's certificate table, 0 without one
};

// Where the program's sections end and whether it is signed; false when it is no PE program.
bool ReadPeLayout(const std::string& file, PeLayout& layout);
