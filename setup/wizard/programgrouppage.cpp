#include "programgrouppage.h"
#include "engine/pathtext.h"
#include "engine/settings.h"
#include "engine/shelllink.h"

BEGIN_MESSAGE_MAP(CProgramGroupPage, CDialog)
END_MESSAGE_MAP()

void CProgramGroupPage::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    BindControl(pDX, IDC_GROUP_COMBO, m_comboGroup);
    ExchangeCheck(pDX, IDC_AUTOSTART, m_bAutoStart);
    ExchangeCheck(pDX, IDC_DESKTOP_ICON, m_bDesktopIcon);
}

BOOL CProgramGroupPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bAutoStart = g_bAutoStart;
    m_bDesktopIcon = g_bDesktopIcon;
    m_comboGroup.SetWindowText(g_strProgramGroup);
    UpdateData(FALSE);
    ListProgramGroups();
    return TRUE;
}

// The folders of the Programs folder (all users' or the user's own, read anew every time).
void CProgramGroupPage::ListProgramGroups()
{
    CString programs = GetShellFolderOf(g_bAllUsers, SHELL_PROGRAMS);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(programs + "\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!IsDotEntry(entry.cFileName) && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            m_comboGroup.AddString(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

BOOL CProgramGroupPage::DestroyWindow()
{
    UpdateData(TRUE);
    g_bAutoStart = m_bAutoStart;
    g_bDesktopIcon = m_bDesktopIcon;
    m_comboGroup.GetWindowText(g_strProgramGroup);
    return CDialog::DestroyWindow();
}
