// glmpack check: what the setup would meet in a package, from its script's lines to its members.
#pragma once
#include "packagereader.h"

// The script's findings in line order, then those of the package's members.
Diagnostics CheckPackage(const Package& package);
