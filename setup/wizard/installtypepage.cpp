#include "installtypepage.h"
#include "folderchoice.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include "engine/settings.h"
#include <shlobj.h>

BEGIN_MESSAGE_MAP(CInstallTypePage, CDialog)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

void CInstallTypePage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    BindControl(pDX, IDC_FOLDER, m_stFolder);
    ExchangeRadio(pDX, IDC_JUST_ME, m_nInstallType);
}

BOOL CInstallTypePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetDlgItem(IDC_FOLDER_HINT)->GetWindowText(m_strHint);
    UpdateFolderHint();
    m_stFolder.SetWindowText(g_strInstallDir);
    m_nInstallType = g_bAllUsers;
    UpdateData(FALSE);
    return TRUE;
}

BOOL CInstallTypePage::DestroyWindow()
{
    UpdateData(TRUE);
    g_bAllUsers = m_nInstallType;
    return CDialog::DestroyWindow();
}

// IDS_FOLDER_HAS_OLD when the folder of an earlier installation still holds the application.
void CInstallTypePage::UpdateFolderHint()
{
    CWnd* hint = GetDlgItem(IDC_FOLDER_HINT);
    if (!g_bNewInstall && PathExists(g_strInstallDir + "\\" APP_EXE_NAME))
        hint->SetWindowText(LoadResString(IDS_FOLDER_HAS_OLD));
    else
        hint->SetWindowText(m_strHint);
}

void CInstallTypePage::OnBrowse()
{
    CString title = LoadResString(IDS_BROWSE_TITLE);
    char displayName[MAX_PATH];
    BROWSEINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.hwndOwner = m_hWnd;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallbackProc;

    // The folder exists while the browser runs, so that it can be pre-selected.
    CreateDirectoryA(g_strInstallDir, nullptr);
    LPITEMIDLIST items = SHBrowseForFolderA(&info);
    RemoveDirectoryA(g_strInstallDir);
    if (!items) return;

    char chosen[MAX_PATH];
    if (SHGetPathFromIDListA(items, chosen)) {
        // An empty folder is made again by the installation.
        RemoveDirectoryA(chosen);
        CString installDir;
        if (!ChooseInstallFolder(chosen, installDir)) {
            AppMessageBox(LoadResString(IDS_VERSION4_FOLDER), MB_OK);
        } else {
            g_strInstallDir = installDir;
            m_stFolder.SetWindowText(g_strInstallDir);
            UpdateFolderHint();
        }
    }
    IMalloc* allocator;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(items);
        allocator->Release();
    }
}

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT message, LPARAM, LPARAM)
{
    switch (message) {
    case BFFM_INITIALIZED:
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, (LPARAM)(const char*)g_strInstallDir);
        return 0;
    case BFFM_VALIDATEFAILEDA:
        AppMessageBox(LoadResString(IDS_INVALID_FOLDER), MB_OK);
        return 1;
    default:
        return 0;
    }
}
