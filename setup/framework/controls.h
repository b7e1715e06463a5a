// The standard controls as members a dialog binds with BindControl.
#pragma once
#include <windows.h>
#include "wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0); }
};

class CStatic : public CWnd {
};

class CEdit : public CWnd {
public:
    // nStartChar -1 removes the selection; 0, -1 selects everything.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(const char* pszNewText) { ::SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, (LPARAM)pszNewText); }
};

class CComboBox : public CWnd {
public:
    // The index of the new item (sorted lists place it in order), or CB_ERR / CB_ERRSPACE.
    int AddString(const char* pszString) { return (int)::SendMessageA(m_hWnd, CB_ADDSTRING, 0, (LPARAM)pszString); }
    int GetCount() const { return (int)::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)::SendMessageA(m_hWnd, CB_SETCURSEL, (WPARAM)nSelect, 0); }
    int FindStringExact(int nIndexStart, const char* pszFind) const
    { return (int)::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)pszFind); }
    void ResetContent() { ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
    // The item's text; empty when nIndex is out of range.
    void GetLBText(int nIndex, CString& rString) const;
};
