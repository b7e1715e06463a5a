// Data exchange between a dialog's controls and its member variables. DoDataExchange lists the
// exchanges; UpdateData(FALSE) loads the controls from the members, UpdateData(TRUE) saves them.
#pragma once
#include <windows.h>
#include "cstring.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bMissingControl(FALSE) {}

    BOOL m_bSaveAndValidate;   // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
    BOOL m_bMissingControl;    // an exchange named a control id the dialog does not have

    // The control of that id; null (and m_bMissingControl set) when there is none.
    HWND PrepareCtrl(int nIDC);
};

// Binds the control to a CWnd-derived member (CButton, CStatic, CEdit, CComboBox, ...).
void BindControl(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The control's window text.
void ExchangeText(CDataExchange* pDX, int nIDC, CString& value);
// The index of the checked radio button in the group that starts at nIDC: the radio buttons are
// counted in tab order up to the next control that starts a group. -1: none is checked.
void ExchangeRadio(CDataExchange* pDX, int nIDC, int& value);
// The check state of a check box (0 unchecked, 1 checked, 2 indeterminate).
void ExchangeCheck(CDataExchange* pDX, int nIDC, int& value);
