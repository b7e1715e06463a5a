// The rules for a folder chosen in the folder browser of the install-type page.
#pragma once
#include "framework.h"

// FALSE when the folder holds version 4 ("Glmr.exe") and is refused. Otherwise TRUE, with
// installDir set to the folder, or to the folder + "\Glimra 5" when it is neither empty nor an
// installation of this version.
BOOL ChooseInstallFolder(const char* chosen, CString& installDir);
