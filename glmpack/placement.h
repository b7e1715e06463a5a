// What the install script does to a fresh installation folder: first the setup's own copies of the
// script (as the installation log) and of the uninstaller, then the script line by line, as the
// setup's file placement carries out its "File Copy: " and "Make Dir: " lines. Lines whose action
// fails are reported.
#pragma once
#include "diagnostic.h"
#include "packagefiles.h"
#include "scriptreader.h"

struct InstallStep {
    enum Kind { MAKE_FOLDER, PLACE_FILE } kind;
    int line;             // the script's line; 0 for the setup's own copies ahead of the script
    std::string source;   // PLACE_FILE: the package file, relative, 1250
    std::string target;   // relative to the installation folder, 1250; "" is the folder itself
};

void SimulatePlacement(const Script& script, const std::vector<PackageEntry>& package,
                       std::vector<InstallStep>& steps, Diagnostics& diagnostics);

// The entry of that relative name (either separator, any letter case); null when there is none.
const PackageEntry* FindPackageEntry(const std::vector<PackageEntry>& package, const std::string& name);
