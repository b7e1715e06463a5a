#include "folderchoice.h"
#include "engine/fileplace.h"
#include "engine/names.h"
#include <io.h>

BOOL ChooseInstallFolder(const char* chosen, CString& installDir)
{
    CString folder = chosen;
    if (_access(folder + "\\Glmr.exe", 0) == 0) return FALSE;
    if (_access(folder + "\\" APP_EXE_NAME, 0) != 0 && CountFolderEntries("*", folder) > 0)
        folder += "\\" PRODUCT_FOLDER_NAME;
    installDir = folder;
    return TRUE;
}
