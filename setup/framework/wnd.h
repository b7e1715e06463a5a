// CWnd: a window object over an HWND. A window attached to a CWnd (a dialog, or a control bound
// by BindControl) maps back to it through FromHandle; any other window gets a temporary CWnd
// that lives until the outermost dialog message being handled returns.
#pragma once
#include <windows.h>
#include "cmdtarget.h"
#include "cstring.h"

// Reads a window's text into rString.
void GetWindowTextString(HWND hWnd, CString& rString);

class CWnd : public CCmdTarget {
public:
    CWnd() : m_hWnd(nullptr) {}
    ~CWnd() override;

    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The permanent object of hWnd, or a temporary one; null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The object attached to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Ties this object to an existing window (FALSE when it already has one); Detach unties it.
    BOOL Attach(HWND hWnd);
    HWND Detach();

    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    void SetWindowText(const char* pszText) { ::SetWindowTextA(m_hWnd, pszText); }
    void GetWindowText(CString& rString) const { GetWindowTextString(m_hWnd, rString); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetDlgItemText(int nID, const char* pszText) { ::SetDlgItemTextA(m_hWnd, nID, pszText); }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }

    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    // pWndInsertAfter: a window, or &wndTop, &wndBottom, &wndTopMost, &wndNoTopMost.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    { return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    // Centres a top-level window on its owner, or on the work area when it has none or the
    // owner is hidden or minimised; a window larger than that keeps its top left corner in it.
    void CenterWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    { return ::PostMessageA(m_hWnd, message, wParam, lParam); }

    virtual BOOL DestroyWindow();

    static const CWnd wndTop, wndBottom, wndTopMost, wndNoTopMost;

private:
    explicit CWnd(HWND hWndInsertAfter) : m_hWnd(hWndInsertAfter) {}
};

// Frees the temporary window objects; called when the outermost message handler returns.
void DeleteTempWindows();
