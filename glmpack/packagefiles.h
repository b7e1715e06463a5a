// The files of a package folder as the setup sees them: names in code page 1250, relative to the
// folder, sub-folders separated by a backslash. Paths the tool is given and prints are UTF-8.
#pragma once
#include <string>
#include <vector>

struct PackageEntry {
    std::string name;       // relative, 1250, "Minta\pelda1.glm"
    std::string path;       // the entry's path for this system, UTF-8
    bool folder = false;
    bool nameFits = true;   // false: the name has a character 1250 lacks; name holds "?" there
};

// Every file and folder below the folder, depth first, each folder's entries sorted by name. False when the folder cannot be read.
bool ListPackage(const std::string& folder, std::vector<PackageEntry>& entries);

// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Makes or replaces the file with the bytes; false when it cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// The size of the file in bytes; -1 when it cannot be read.
long long MeasureFile(const std::string& path);

// path + the system's separator + name (UTF-8).
std::string JoinNativePath(const std::string& folder, const std::string& name);
