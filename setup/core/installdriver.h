// The installation run from the package: options, checks, the wizard or the silent install,
// and the actions after installation.
#pragma once

// 0 when the run went to its end, 1 when the user declined or cancelled.
int RunInstall();

// Shows IDS_DAMAGED_PACKAGE, opens the maker's site and ends with exit code 1. Never returns.
void AbortCorruptPackage();
