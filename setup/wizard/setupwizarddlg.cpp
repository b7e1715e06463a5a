#include "setupwizarddlg.h"
#include "welcomepage.h"
#include "agreementpage.h"
#include "installtypepage.h"
#include "programgrouppage.h"
#include "readypage.h"
#include "scaling.h"
#include "engine/helpers.h"
#include "engine/install.h"
#include "engine/settings.h"
#include "engine/runrecord.h"
#include "resource.h"

// Steps of the wizard: five pages, the installation on the last page, the finish.
enum {
    STEP_WELCOME = 0,
    STEP_AGREEMENT = 1,
    STEP_INSTALL_TYPE = 2,
    STEP_PROGRAM_GROUP = 3,
    STEP_READY = 4,
    STEP_INSTALL = 5,
    STEP_FINISH = 6
};

BEGIN_MESSAGE_MAP(CSetupWizardDlg, CDialog)
    ON_BN_CLICKED(IDC_BACK, OnBack)
END_MESSAGE_MAP()

CSetupWizardDlg::CSetupWizardDlg(CWnd* pParent)
    : CDialog(IDD_WIZARD, pParent), m_nPage(-1), m_pPage(nullptr), m_hPicture(nullptr)
{
}

CSetupWizardDlg::~CSetupWizardDlg()
{
    delete m_pPage;
    DeleteObject(m_hPicture);
}

void CSetupWizardDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    BindControl(pDX, IDCANCEL, m_btnCancel);
    BindControl(pDX, IDC_PICTURE, m_stBitmap);
    BindControl(pDX, IDC_BACK, m_btnBack);
    BindControl(pDX, IDOK, m_btnNext);
}

BOOL CSetupWizardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hPicture = FitPicture(m_stBitmap);
    m_btnNext.GetWindowText(m_strNextCaption);
    m_btnCancel.GetWindowText(m_strCancelCaption);
    OnOK();
    return FALSE;
}

void CSetupWizardDlg::OnBack()
{
    // Back is offered on the agreement page up to the ready page only.
    if (m_nPage < STEP_AGREEMENT || m_nPage > STEP_READY) return;
    m_nPage -= 2;
    OnOK();
}

void CSetupWizardDlg::OnOK()
{
    ++m_nPage;
    if (m_pPage && m_nPage < STEP_INSTALL) {
        // The install-type and program-group pages save their values into the settings here.
        m_pPage->DestroyWindow();
        delete m_pPage;
        m_pPage = nullptr;
    }
    if (m_strTitle.IsEmpty()) GetWindowText(m_strTitle);
    if (m_nPage != STEP_AGREEMENT) {
        m_btnNext.SetWindowText(m_strNextCaption);
        m_btnCancel.SetWindowText(m_strCancelCaption);
    }
    switch (m_nPage) {
    case STEP_WELCOME:
        CreatePage(new CWelcomePage(this), IDD_WELCOME_PAGE);
        m_btnBack.ShowWindow(SW_HIDE);
        PlacePage();
        break;
    case STEP_AGREEMENT:
        m_btnNext.SetWindowText(LoadResString(IDS_YES));
        m_btnCancel.SetWindowText(LoadResString(IDS_NO));
        m_btnBack.ShowWindow(SW_SHOW);
        m_stBitmap.ShowWindow(SW_HIDE);
        // The agreement page places and shows itself over the picture column.
        CreatePage(new CAgreementPage(this), IDD_AGREEMENT_PAGE);
        SetWindowText(LoadResString(IDS_ACCEPT_AGREEMENT));
        break;
    case STEP_INSTALL_TYPE:
        CreatePage(new CInstallTypePage(this), IDD_INSTALL_TYPE_PAGE);
        PlacePage();
        break;
    case STEP_PROGRAM_GROUP:
        CreatePage(new CProgramGroupPage(this), IDD_PROGRAM_GROUP_PAGE);
        PlacePage();
        break;
    case STEP_READY:
        CreatePage(new CReadyPage(this), IDD_READY_PAGE);
        PlacePage();
        break;
    case STEP_INSTALL:
        RunInstallStep();
        break;
    default:
        FinishWizard();
        break;
    }
}

void CSetupWizardDlg::CreatePage(CDialog* pPage, UINT nIDTemplate)
{
    m_pPage = pPage;
    m_pPage->Create(nIDTemplate, this);
}

// Shows the page beside the picture, a margin right of it, top edges level.
void CSetupWizardDlg::PlacePage()
{
    SetWindowText(m_strTitle);
    m_stBitmap.ShowWindow(SW_SHOW);
    m_btnNext.EnableWindow(TRUE);
    m_btnNext.SetFocus();
    RECT picture;
    m_stBitmap.GetWindowRect(&picture);
    ScreenToClient(&picture);
    m_pPage->SetWindowPos(&CWnd::wndTop, picture.right + PageMargin(m_hWnd), picture.top, 0, 0,
                          SWP_NOSIZE | SWP_SHOWWINDOW);
}

// Runs the installation on the ready page that stays on screen, then offers Finish.
void CSetupWizardDlg::RunInstallStep()
{
    m_pPage->GetDlgItem(IDC_READY_TEXT)->ShowWindow(SW_HIDE);
    m_pPage->GetDlgItem(IDC_READY_HINT)->ShowWindow(SW_HIDE);
    m_pPage->GetDlgItem(IDC_PLEASE_WAIT)->ShowWindow(SW_SHOW);
    // Nothing is pumped during the installation, so the please-wait text is painted now.
    m_pPage->UpdateWindow();
    m_btnBack.EnableWindow(FALSE);
    m_btnNext.EnableWindow(FALSE);
    m_btnCancel.EnableWindow(FALSE);

    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    BOOL installed = PerformInstall() == 0;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));

    m_btnNext.EnableWindow(TRUE);
    m_btnNext.SetWindowText(LoadResString(IDS_FINISH));
    if (installed) {
        m_pPage->GetDlgItem(IDC_PLEASE_WAIT)->ShowWindow(SW_HIDE);
        m_pPage->GetDlgItem(IDC_RUN_NOW)->ShowWindow(SW_SHOW);
        m_pPage->GetDlgItem(IDC_READY_TEXT)->SetWindowText(LoadResString(IDS_INSTALLED_OK));
        m_pPage->GetDlgItem(IDC_READY_HINT)->SetWindowText(LoadResString(IDS_CHOOSE_FINISH));
    } else {
        // What failed first, in the system's words, where the please-wait text stood; a long path
        // and reason may take the rest of the page.
        CString failure;
        failure.Format(LoadResString(IDS_FIRST_FAILURE), DescribeFirstFailure().GetString());
        CWnd* text = m_pPage->GetDlgItem(IDC_PLEASE_WAIT);
        RECT area = { 5, 80, 212, 163 };
        ::MapDialogRect(m_pPage->m_hWnd, &area);
        ::SetWindowPos(text->m_hWnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        text->SetWindowText(failure);
        m_pPage->GetDlgItem(IDC_READY_TEXT)->SetWindowText(LoadResString(IDS_INSTALL_FAILED));
        m_pPage->GetDlgItem(IDC_READY_HINT)->SetWindowText(LoadResString(IDS_CLOSE_SETUP));
    }
    m_pPage->GetDlgItem(IDC_READY_TEXT)->ShowWindow(SW_SHOW);
    m_pPage->GetDlgItem(IDC_READY_HINT)->ShowWindow(SW_SHOW);
    m_btnNext.SetFocus();
}

void CSetupWizardDlg::FinishWizard()
{
    // The box is shown only after an installation that worked.
    CWnd* runNow = m_pPage->GetDlgItem(IDC_RUN_NOW);
    g_bRunAfter = runNow->IsWindowVisible() && runNow->SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;
    CDialog::OnOK();
}

// Windows has rescaled the frame and moved and sized its controls and the page in proportion;
// the picture is drawn anew for its control's new size.
void CSetupWizardDlg::OnDpiChanged()
{
    m_hPicture = FitPicture(m_stBitmap);
}

void CSetupWizardDlg::OnCancel()
{
    if (AppMessageBox(LoadResString(IDS_CONFIRM_CANCEL), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        EndDialog(IDCANCEL);
}
