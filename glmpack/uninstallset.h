// What a later uninstall deletes of the files an installation placed: the uninstaller deletes, in
// the installation folder, what each "File Copy: ", "File Overwrite: " and "File Del: " record
// names (up to a " | " remark; of the rename form the target), then the log; the uninstaller
// itself is deleted by its temporary copy.
#pragma once
#include "packagereader.h"

// Whether the uninstall deletes the placed file (target relative to the installation folder).
bool IsRemovedAtUninstall(const Package& package, const std::string& target);
