// The wizard's program-group page: the Start-menu group and the start-up and desktop options.
#pragma once
#include "framework.h"
#include "resource.h"

class CProgramGroupPage : public CDialog {
public:
    explicit CProgramGroupPage(CWnd* pParent)
        : CDialog(IDD_PROGRAM_GROUP_PAGE, pParent), m_bAutoStart(0), m_bDesktopIcon(0) {}

    BOOL DestroyWindow() override;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void ListProgramGroups();

    CComboBox m_comboGroup;
    int m_bAutoStart;
    int m_bDesktopIcon;
};
