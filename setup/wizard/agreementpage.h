// The wizard's licence page: the text of "agreement.txt", accepted with the frame's buttons.
#pragma once
#include "framework.h"
#include "resource.h"

class CAgreementPage : public CDialog {
public:
    explicit CAgreementPage(CWnd* pParent) : CDialog(IDD_AGREEMENT_PAGE, pParent) {}

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void ReadAgreement();

    CEdit m_editText;
    CString m_strText;
};
