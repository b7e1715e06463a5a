// Resources of a Windows program read from its file's bytes, without loading it: the version
// block the setup checks and the string-table texts the setup names its shortcuts with.
#pragma once
#include <string>

struct PeVersion {
    unsigned major, minor, release, build;
};

// The file version of the fixed part of the version resource, as the system's version functions
// give it to the setup; false when the file has no readable one (the setup then reads 0.0.0.0).
bool ReadPeFileVersion(const std::string& file, PeVersion& version);

// The string of that id from the program's string table; false when it has none.
bool ReadPeString(const std::string& file, unsigned id, std::u16string& text);
