#include "folderchoice.h"
#include "engine/fileplace.h"
#include "engine/names.h"
#include "engine/pathtext.h"

BOOL ChooseInstallFolder(const char* chosen, CString& installDir)
{
    CString folder = chosen;
    // A drive root comes with its backslash ("C:\"): names are joined to it without a second one.
    CString base = folder;
    if (!base.IsEmpty() && base[base.GetLength() - 1] == '\\') base = base.Left(base.GetLength() - 1);
    if (PathExists(base + "\\" VERSION4_EXE_NAME)) return FALSE;
    if (!PathExists(base + "\\" APP_EXE_NAME) && CountFolderEntries("*", folder) > 0)
        folder = base + "\\" PRODUCT_FOLDER_NAME;
    installDir = folder;
    return TRUE;
}
