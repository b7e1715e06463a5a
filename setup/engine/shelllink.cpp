#include "shelllink.h"
#include <shlobj.h>
#include <string.h>
#include "helpers.h"
#include "installlog.h"
#include "names.h"
#include "settings.h"
#include "runrecord.h"

// The longest target a shortcut takes, in bytes, terminator not counted.
#define MAX_LINK_TARGET 511

// COM is initialised on the first shortcut of the process and left initialised until it ends.
static BOOL s_bComInitialized = FALSE;

CString GetShellFolder(BOOL allUsers, const char* valueName)
{
    return ReadRegString(allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, valueName);
}

const char* GetShellFolderValueName(BOOL allUsers, ShellFolderKind kind)
{
    static const char* const s_valueNames[][2] = {
        { "Programs", "Common Programs" },
        { "Desktop", "Common Desktop" },
        { "Startup", "Common Startup" },
    };
    return s_valueNames[kind][allUsers ? 1 : 0];
}

CString GetShellFolderOf(BOOL allUsers, ShellFolderKind kind)
{
    return GetShellFolder(allUsers, GetShellFolderValueName(allUsers, kind));
}

// Copies the target without one leading and one trailing double quote. FALSE when it is too long.
static BOOL CopyUnquotedTarget(const char* target, char* buffer)
{
    if (*target == '"') target++;
    size_t length = strlen(target);
    if (length > MAX_LINK_TARGET) return FALSE;
    memcpy(buffer, target, length + 1);
    if (length > 0 && buffer[length - 1] == '"') buffer[length - 1] = 0;
    return TRUE;
}

HRESULT CreateShellLink(const char* target, const char* linkPath, const char* description,
                        int showCmd, const char* arguments, const char* workingDir)
{
    // Paths that do not fit the buffers make no shortcut and no record.
    char unquoted[MAX_LINK_TARGET + 1];
    WCHAR wideLinkPath[MAX_PATH];
    if (!CopyUnquotedTarget(target, unquoted)) return E_INVALIDARG;
    if (!MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wideLinkPath, MAX_PATH)) return E_INVALIDARG;

    if (!s_bComInitialized) {
        CoInitialize(nullptr);
        s_bComInitialized = TRUE;
    }

    IShellLinkA* link = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link);
    if (FAILED(hr)) return hr;
    IPersistFile* file = nullptr;
    hr = link->QueryInterface(IID_IPersistFile, (void**)&file);
    if (FAILED(hr)) {
        link->Release();
        return hr;
    }

    if (FAILED(link->SetPath(unquoted))) AppMessageBox("SetPath failed!", MB_OK);
    if (FAILED(link->SetDescription(description))) AppMessageBox("SetDescription failed!", MB_OK);
    if (showCmd != SW_SHOWNORMAL) link->SetShowCmd(showCmd);
    if (arguments) link->SetArguments(arguments);
    if (workingDir) link->SetWorkingDirectory(workingDir);

    hr = file->Save(wideLinkPath, TRUE);
    CString logPath = g_strInstallDir + "\\" LOG_NAME;
    if (SUCCEEDED(hr) && !AppendLogLine(logPath, CString(REC_SHELL_LINK) + linkPath))
        RecordFailure("log record", logPath, GetLastError());

    file->Release();
    link->Release();
    return hr;
}
