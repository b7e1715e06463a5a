// CWaitCursor: shows the hourglass (IDC_WAIT) for the object's lifetime and puts the cursor
// that was shown before back when it ends.
#pragma once
#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_hOldCursor(::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOldCursor); }
    // Shows the hourglass again, e.g. after a message box changed the cursor.
    void Restore() { ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_WAIT)); }

private:
    CWaitCursor(const CWaitCursor&) = delete;
    void operator=(const CWaitCursor&) = delete;
    HCURSOR m_hOldCursor;
};
