// The wizard's install-type page: current user or all users, and the installation folder,
// chosen with the shell's folder browser.
#pragma once
#include "framework.h"
#include "resource.h"

class CInstallTypePage : public CDialog {
public:
    explicit CInstallTypePage(CWnd* pParent) : CDialog(IDD_INSTALL_TYPE_PAGE, pParent), m_nInstallType(-1) {}

    BOOL DestroyWindow() override;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnBrowse();

private:
    void UpdateFolderHint();

    CString m_strHint;
    CStatic m_stFolder;
    int m_nInstallType;
};

// The folder browser's callback: pre-selects the installation folder, and keeps the browser open
// with a message when the typed name is invalid.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);
