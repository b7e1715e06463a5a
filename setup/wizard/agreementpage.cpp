#include "agreementpage.h"
#include "scaling.h"
#include "engine/names.h"
#include "resource.h"
#include <stdio.h>

BEGIN_MESSAGE_MAP(CAgreementPage, CDialog)
END_MESSAGE_MAP()

void CAgreementPage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    BindControl(pDX, IDC_AGREEMENT_TEXT, m_editText);
    ExchangeText(pDX, IDC_AGREEMENT_TEXT, m_strText);
}

BOOL CAgreementPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    ReadAgreement();
    UpdateData(FALSE);
    m_editText.SendMessage(EM_SETSEL, (WPARAM)-1, 0);
    m_editText.SendMessage(EM_SCROLLCARET, 0, 0);
    // The page covers the frame's picture column.
    int margin = PageMargin(m_hWnd);
    SetWindowPos(&CWnd::wndTop, margin, margin, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateData(FALSE);
    return FALSE;
}

// A licence text is a few pages; a file beyond this is damage, and loading it whole would hold
// the wizard in its edit control for minutes.
#define AGREEMENT_MAX_SIZE (256L * 1024)

// The file's bytes as they are, from the current directory; empty when it cannot be read or is
// larger than AGREEMENT_MAX_SIZE.
void CAgreementPage::ReadAgreement()
{
    FILE* file = fopen(AGREEMENT_FILE_NAME, "rb");
    if (!file) return;
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
    // A text too large, or whose buffer cannot be had, leaves the page empty.
    if (size > 0 && size <= AGREEMENT_MAX_SIZE && fseek(file, 0, SEEK_SET) == 0) {
        char* buffer = m_strText.GetBuffer((int)size + 1);
        if (m_strText.GetAllocLength() > size) {
            size_t read = fread(buffer, 1, (size_t)size, file);
            buffer[read] = 0;
            m_strText.ReleaseBuffer((int)read);
        }
    }
    fclose(file);
}
