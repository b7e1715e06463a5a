// The install wizard's frame: Back, Next and Cancel, the picture, and one page at a time; after
// the last page it runs the installation and turns Next into Finish.
#pragma once
#include "framework.h"

class CSetupWizardDlg : public CDialog {
public:
    explicit CSetupWizardDlg(CWnd* pParent = nullptr);
    ~CSetupWizardDlg() override;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnDpiChanged() override;
    void OnBack();

private:
    void CreatePage(CDialog* pPage, UINT nIDTemplate);
    void PlacePage();
    void RunInstallStep();
    void FinishWizard();

    CButton m_btnCancel;
    CStatic m_stBitmap;
    CButton m_btnBack;
    CButton m_btnNext;
    int m_nPage;
    CDialog* m_pPage;
    CString m_strTitle;
    // The picture as drawn for its control's size.
    HBITMAP m_hPicture;
    // The captions Next and Cancel have in the frame's template.
    CString m_strNextCaption;
    CString m_strCancelCaption;
};
