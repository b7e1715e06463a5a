#include "welcomepage.h"
#include "engine/settings.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CWelcomePage, CDialog)
END_MESSAGE_MAP()

void CWelcomePage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    BindControl(pDX, IDC_VERSION_TEXT, m_stVersion);
}

// The template's text of the version line is the format of the banner.
BOOL CWelcomePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString format;
    m_stVersion.GetWindowText(format);
    CString beta;
    if (g_FileVersion.build != 0) beta.Format("Beta %d", g_FileVersion.build);
    CString banner;
    banner.Format(format, g_FileVersion.major, g_FileVersion.minor, g_FileVersion.release, (const char*)beta);
    m_stVersion.SetWindowText(banner);
    return TRUE;
}
