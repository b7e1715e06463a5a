#include "folderchoice.h"
#include "engine/fileplace.h"
#include "engine/names.h"
#include <io.h>

BOOL ChooseInstallFolder(const char* chosen, CString& installDir)
{
    CString folder = chosen;
    // A drive root comes with its backslash ("C:\"): names are joined to it without a second one.
    CString base = folder;
    if (!base.IsEmpty() && base[base.GetLength() - 1] == '\\') base = base.Left(base.GetLength() - 1);
    if (_access(base + "\\Glmr.exe", 0) == 0) return FALSE;
    if (_access(base + "\\" APP_EXE_NAME, 0) != 0 && CountFolderEntries("*", folder) > 0)
        folder = base + "\\" PRODUCT_FOLDER_NAME;
    installDir = folder;
    return TRUE;
}
