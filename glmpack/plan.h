// glmpack plan: what "setup.exe -s" would do with a package on a machine without an earlier
// installation, in the order it does it, and what a later uninstall removes. Shell folders are
// named by their Shell Folders value ("%Common Programs%"), the default program folder by
// "%ProgramFilesDir%"; paths are in code page 1250.
#pragma once
#include "packagereader.h"

struct PlanOptions {
    std::string installParent;   // "-instdir": the folder the installation folder goes into
    bool autoStart = false;      // "-autostart"
    bool desktopIcon = true;     // cleared by "-nodeskico"
};

struct PlanStep {
    enum Kind { MAKE_FOLDER, PLACE_FILE, SHORTCUT, REGISTRY_VALUE, REGISTRY_NUMBER, REMOVE_FILE, REMOVE_FOLDER, REMOVE_KEY } kind;
    int line;             // the script line behind it; 0 for the setup's own steps
    std::string path;     // folder, target file, shortcut, key ("HKLM\SOFTWARE\...")
    std::string source;   // PLACE_FILE: the package file; SHORTCUT: its target; REGISTRY_VALUE: the text;
                          // REGISTRY_NUMBER: the DWORD in decimal
    std::string name;     // REGISTRY_VALUE, REGISTRY_NUMBER: the value's name, "" for the key's default value
    std::string note;     // why, when it is not plain
};

struct Plan {
    std::string installDir;
    std::vector<PlanStep> steps;     // the installation, in order
    std::vector<PlanStep> removals;  // the later uninstall, in order
};

Plan MakePlan(const Package& package, const PlanOptions& options);
