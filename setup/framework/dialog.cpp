#include "dialog.h"
#include "resmodule.h"
#include "winapp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// Posted by a dialog to itself when it has been moved to another DPI.
#define WM_DIALOG_DPI_CHANGED (WM_APP + 1)

// Nesting depth of dialog messages being handled; temporary window objects go when it is 0 again.
static int s_nDispatchDepth;

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    ReleaseWindow();
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd) return -1;
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CWinApp* pApp = GetApp();
    if (!hWndParent && pApp && pApp->m_pMainWnd && pApp->m_pMainWnd != this)
        hWndParent = pApp->m_pMainWnd->m_hWnd;
    m_bModal = TRUE;
    INT_PTR nResult = DialogBoxParamA(GetResourceModule(), MAKEINTRESOURCEA(m_nIDTemplate),
                                      hWndParent, DialogProc, (LPARAM)this);
    m_bModal = FALSE;
    return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd) return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    HWND hWnd = CreateDialogParamA(GetResourceModule(), MAKEINTRESOURCEA(nIDTemplate),
                                   pParentWnd ? pParentWnd->m_hWnd : nullptr, DialogProc, (LPARAM)this);
    return hWnd != nullptr;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bMissingControl;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// Unties the window from this object and from the controls bound to it, and stops being the
// application's main window.
void CDialog::ReleaseWindow()
{
    CWinApp* pApp = GetApp();
    if (pApp && pApp->m_pMainWnd == this) pApp->m_pMainWnd = nullptr;
    Detach();
}

// Controls of this dialog only: a child dialog detaches itself and its own controls.
static BOOL CALLBACK DetachBoundControl(HWND hWndChild, LPARAM lParam)
{
    if (::GetParent(hWndChild) != (HWND)lParam) return TRUE;
    if (GetClassLongA(hWndChild, GCW_ATOM) == (DWORD)(ULONG_PTR)WC_DIALOG) return TRUE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (pWnd) pWnd->Detach();
    return TRUE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND: {
        UINT nID = LOWORD(wParam);
        int nCode = HIWORD(wParam);
        if (OnCmdMsg(nID, nCode)) return TRUE;
        CWinApp* pApp = GetApp();
        return pApp && pApp->OnCmdMsg(nID, nCode);
    }
    case WM_DPICHANGED:
        // The dialog manager rescales the dialog when this message returns unhandled; the
        // dialog's own layout follows after that.
        PostMessage(WM_DIALOG_DPI_CHANGED);
        return FALSE;
    case WM_DIALOG_DPI_CHANGED:
        OnDpiChanged();
        return TRUE;
    case WM_DESTROY:
        EnumChildWindows(m_hWnd, DetachBoundControl, (LPARAM)m_hWnd);
        return FALSE;
    case WM_NCDESTROY:
        ReleaseWindow();
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* pDlg;
    INT_PTR nResult = FALSE;
    s_nDispatchDepth++;
    if (message == WM_INITDIALOG) {
        pDlg = (CDialog*)lParam;
        if (pDlg->Attach(hWnd)) {
            nResult = pDlg->OnInitDialog();
            if (pDlg->m_bModal && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)) pDlg->CenterWindow();
        }
    } else {
        pDlg = static_cast<CDialog*>(FromHandlePermanent(hWnd));
        if (pDlg) nResult = pDlg->HandleMessage(message, wParam, lParam);
    }
    if (--s_nDispatchDepth == 0) DeleteTempWindows();
    return nResult;
}
