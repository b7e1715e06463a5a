#include "wnd.h"

// The window property that leads from an HWND to its permanent CWnd.
static const char s_szWndProp[] = "FrameworkCWnd";

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

// Temporary objects for windows no CWnd is attached to; one per window, freed together.
struct TempWnd {
    CWnd wnd;
    TempWnd* pNext;
};
static TempWnd* s_pTempWnds;

CWnd::~CWnd()
{
    Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? (CWnd*)GetPropA(hWnd, s_szWndProp) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd) return pWnd;
    for (TempWnd* p = s_pTempWnds; p; p = p->pNext)
        if (p->wnd.m_hWnd == hWnd) return &p->wnd;
    TempWnd* pTemp = new TempWnd;
    pTemp->wnd.m_hWnd = hWnd;
    pTemp->pNext = s_pTempWnds;
    s_pTempWnds = pTemp;
    return &pTemp->wnd;
}

void DeleteTempWindows()
{
    while (s_pTempWnds) {
        TempWnd* p = s_pTempWnds;
        s_pTempWnds = p->pNext;
        p->wnd.m_hWnd = nullptr;
        delete p;
    }
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd) return FALSE;
    if (!SetPropA(hWnd, s_szWndProp, (HANDLE)this)) return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    // A window handle may already be dead; the property is only removed when it is still ours.
    if (hWnd && GetPropA(hWnd, s_szWndProp) == (HANDLE)this) RemovePropA(hWnd, s_szWndProp);
    m_hWnd = nullptr;
    return hWnd;
}

void GetWindowTextString(HWND hWnd, CString& rString)
{
    int nLength = ::GetWindowTextLengthA(hWnd);
    char* pBuffer = rString.GetBuffer(nLength);
    if (!pBuffer) return;
    pBuffer[0] = 0;
    ::GetWindowTextA(hWnd, pBuffer, nLength + 1);
    rString.ReleaseBuffer();
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)&lpRect->left);
    ::ScreenToClient(m_hWnd, (LPPOINT)&lpRect->right);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow()
{
    RECT rcArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner)) ::GetWindowRect(hOwner, &rcArea);

    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    int x = (rcArea.left + rcArea.right - cx) / 2;
    int y = (rcArea.top + rcArea.bottom - cy) / 2;
    // A window larger than the area keeps its caption in it.
    if (x < rcArea.left) x = rcArea.left;
    if (y < rcArea.top) y = rcArea.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A dialog detaches itself while it is destroyed; any other window is detached here.
    if (m_hWnd == hWnd && !::IsWindow(hWnd)) Detach();
    return bResult;
}
