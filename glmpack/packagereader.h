// A package folder read once: its files, its install script read as the setup reads it, and what
// the script places.
#pragma once
#include "diagnostic.h"
#include "pefile.h"
#include "packagefiles.h"
#include "placement.h"
#include "scriptreader.h"

struct Package {
    std::string folder;                  // as given, UTF-8
    std::vector<PackageEntry> entries;
    bool hasScript = false;
    std::string scriptBytes;
    Script script;
    std::vector<InstallStep> steps;
    Diagnostics scriptDiagnostics;       // of the script's lines, in line order
};

// False when the folder cannot be read.
bool LoadPackage(const std::string& folder, Package& package);

// The bytes of a package member; false when it is missing or unreadable.
bool ReadMember(const Package& package, const std::string& name, std::string& bytes);

// The application's version as the setup reads it: of Glmr5.exe, else of Glmr5.locked (then
// fromLocked is set). False when neither has one or its major version is 0, which the setup takes
// for a damaged package.
bool ReadApplicationVersion(const Package& package, PeVersion& version, bool& fromLocked);
