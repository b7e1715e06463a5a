// CDialog: a dialog from a template in the resource module (GetResourceModule), run modally
// (DoModal) or created modeless (Create). WM_COMMAND goes through the message map: first the
// dialog's own, then the application's. IDOK reaches OnOK; IDCANCEL, Escape and the close box
// reach OnCancel; a move to a monitor of another DPI reaches OnDpiChanged.
#pragma once
#include <windows.h>
#include "wnd.h"
#include "dataexchange.h"

class CDialog : public CWnd {
public:
    CDialog() : m_nIDTemplate(0), m_pParentWnd(nullptr), m_bModal(FALSE) {}
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModal(FALSE) {}
    // Destroys the window when it still exists.
    ~CDialog() override;

    // Runs the dialog modally and returns the value given to EndDialog; -1 when the template
    // cannot be loaded or the dialog is already open. With no parent the application's main window owns it, unless that is
    // this dialog itself. The dialog is centred.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (a child when the template says so); FALSE on failure.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

    // FALSE loads the controls from the members, TRUE saves them into the members. FALSE is
    // returned when an exchange named a control the dialog does not have.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Loads the controls; TRUE lets the dialog manager focus the first control.
    virtual BOOL OnInitDialog();
    // Saves the controls and ends the dialog with IDOK.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    // Called once Windows has moved the dialog to another DPI and rescaled it, its font and its
    // controls (per-monitor awareness v2): what the dialog placed or drew in pixels itself is
    // done again here.
    virtual void OnDpiChanged() {}

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ReleaseWindow();

    BOOL m_bModal;
};
