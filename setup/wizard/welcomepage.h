// The wizard's first page: the welcome text and the package's version.
#pragma once
#include "framework.h"
#include "resource.h"

class CWelcomePage : public CDialog {
public:
    explicit CWelcomePage(CWnd* pParent) : CDialog(IDD_WELCOME_PAGE, pParent) {}

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    CStatic m_stVersion;
};
