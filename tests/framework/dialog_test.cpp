// The dialog part of the framework against real windows: modal and modeless dialogs from the
// test program's own templates (testdlg.rc), data exchange, message maps and the wait cursor.
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include "framework.h"
#include "core/setupapp.h"
#include "testdlg.h"

namespace {

const INT_PTR kTimedOut = 0x7777;

// Thread timers run a function once from inside whatever message loop is running.
std::map<UINT_PTR, std::function<void()>> g_timers;

void CALLBACK RunTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto it = g_timers.find(id);
    if (it == g_timers.end()) return;
    std::function<void()> f = it->second;
    g_timers.erase(it);
    f();
}

UINT_PTR After(UINT ms, std::function<void()> f)
{
    UINT_PTR id = SetTimer(nullptr, 0, ms, RunTimer);
    g_timers[id] = f;
    return id;
}

// Ends a modal dialog that is still running after a few seconds, so a lost click fails the test
// instead of hanging it.
class Watchdog {
public:
    explicit Watchdog(CDialog& dlg)
        : m_id(After(5000, [&dlg] { if (dlg.m_hWnd) ::EndDialog(dlg.m_hWnd, kTimedOut); })) {}
    ~Watchdog() { KillTimer(nullptr, m_id); g_timers.erase(m_id); }

private:
    UINT_PTR m_id;
};

// Handles the messages waiting in the queue (modeless tests have no loop of their own).
void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

BOOL IsChecked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }

std::string WindowText(HWND hWnd)
{
    char sz[256] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CWnd* pParent = nullptr, UINT nIDTemplate = IDD_TEST_DIALOG)
        : CDialog(nIDTemplate, pParent) {}

    CString m_strName;
    int m_nChoice = -1;
    int m_nAgree = 0;
    CEdit m_editName;
    CStatic m_stLabel;
    CComboBox m_comboList;
    CButton m_btnAgree;

    int m_nClicks = 0;
    int m_nCancels = 0;
    int m_nOKs = 0;
    std::function<void(CTestDlg*)> onInit;
    std::function<void(CTestDlg*)> onHook;

    void DoDataExchange(CDataExchange* pDX) override
    {
        BindControl(pDX, IDC_NAME, m_editName);
        BindControl(pDX, IDC_LABEL, m_stLabel);
        BindControl(pDX, IDC_COMBO, m_comboList);
        BindControl(pDX, IDC_AGREE, m_btnAgree);
        ExchangeText(pDX, IDC_NAME, m_strName);
        ExchangeRadio(pDX, IDC_FIRST_RADIO, m_nChoice);
        ExchangeCheck(pDX, IDC_AGREE, m_nAgree);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit) onInit(this);
        return TRUE;
    }

    void OnOK() override { m_nOKs++; CDialog::OnOK(); }
    void OnCancel() override { m_nCancels++; CDialog::OnCancel(); }
    void OnClickMe() { m_nClicks++; }
    void OnRunHook() { if (onHook) onHook(this); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_BN_CLICKED(IDC_CLICK_ME, OnClickMe)
    ON_COMMAND(IDC_RUN_HOOK, OnRunHook)
END_MESSAGE_MAP()

// A page: a modeless child that saves its text when it is destroyed, as wizard pages do.
class CTestPage : public CDialog {
public:
    explicit CTestPage(CWnd* pParent) : CDialog(IDD_TEST_PAGE, pParent) {}

    CString m_strText;
    CString* m_pSaved = nullptr;
    int m_nClicks = 0;

    void DoDataExchange(CDataExchange* pDX) override { ExchangeText(pDX, IDC_PAGE_TEXT, m_strText); }
    BOOL DestroyWindow() override
    {
        UpdateData(TRUE);
        if (m_pSaved) *m_pSaved = m_strText;
        return CDialog::DestroyWindow();
    }
    void OnPageButton() { m_nClicks++; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestPage, CDialog)
    ON_BN_CLICKED(IDC_PAGE_BUTTON, OnPageButton)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    int m_nHelps = 0;
    void OnTestHelp() { m_nHelps++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_HELP, OnTestHelp)
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, ModalDialogLoadsMembersAndSavesThemWhenAPostedClickOnOKEndsIt)
{
    CTestDlg dlg;
    dlg.m_strName = "\xC1rv\xEDzt\xFBr\xF5";   // "Árvíztűrő" in code page 1250
    dlg.m_nChoice = 1;
    dlg.m_nAgree = 1;
    std::string loadedName;
    BOOL loadedRadio[3] = {}, loadedAgree = FALSE;
    dlg.onInit = [&](CTestDlg* p) {
        HWND h = p->m_hWnd;
        loadedName = WindowText(GetDlgItem(h, IDC_NAME));
        loadedRadio[0] = IsChecked(h, IDC_FIRST_RADIO);
        loadedRadio[1] = IsChecked(h, IDC_SECOND_RADIO);
        loadedRadio[2] = IsChecked(h, IDC_THIRD_RADIO);
        loadedAgree = IsChecked(h, IDC_AGREE);
        SetDlgItemTextA(h, IDC_NAME, "\xDAj n\xE9v");
        CheckRadioButton(h, IDC_FIRST_RADIO, IDC_THIRD_RADIO, IDC_THIRD_RADIO);
        CheckDlgButton(h, IDC_AGREE, BST_UNCHECKED);
        PostMessageA(GetDlgItem(h, IDOK), BM_CLICK, 0, 0);
    };
    Watchdog guard(dlg);
    INT_PTR result = dlg.DoModal();

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("\xC1rv\xEDzt\xFBr\xF5", loadedName);
    EXPECT_FALSE(loadedRadio[0]);
    EXPECT_TRUE(loadedRadio[1]);
    EXPECT_FALSE(loadedRadio[2]);
    EXPECT_TRUE(loadedAgree);
    EXPECT_STREQ("\xDAj n\xE9v", dlg.m_strName);
    EXPECT_EQ(2, dlg.m_nChoice);
    EXPECT_EQ(0, dlg.m_nAgree);
    EXPECT_EQ(1, dlg.m_nOKs);
    EXPECT_EQ(0, dlg.m_nCancels);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_editName.m_hWnd) << "bound controls are released with the dialog";
}

TEST(Dialog, IdCancelEscapeAndTheCloseBoxAllReachOnCancel)
{
    struct Way { const char* name; std::function<void(HWND)> end; };
    Way ways[] = {
        { "IDCANCEL", [](HWND h) { PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); } },
        { "Escape", [](HWND h) {
              HWND hEdit = GetDlgItem(h, IDC_NAME);
              SetFocus(hEdit);
              PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
          } },
        { "close box", [](HWND h) { PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); } },
    };
    for (const Way& way : ways) {
        CTestDlg dlg;
        dlg.m_strName = "kept";
        dlg.onInit = [&](CTestDlg* p) {
            SetDlgItemTextA(p->m_hWnd, IDC_NAME, "discarded");
            way.end(p->m_hWnd);
        };
        Watchdog guard(dlg);
        INT_PTR result = dlg.DoModal();
        EXPECT_EQ(IDCANCEL, result) << way.name;
        EXPECT_EQ(1, dlg.m_nCancels) << way.name;
        EXPECT_EQ(0, dlg.m_nOKs) << way.name;
        EXPECT_STREQ("kept", dlg.m_strName) << way.name << ": cancel must not save the controls";
    }
}

TEST(Dialog, MainWindowDialogOwnsNestedDialogsAndIsNoLongerTheMainWindowWhenItEnds)
{
    CTestApp app;
    CTestDlg dlg;
    app.m_pMainWnd = &dlg;
    HWND hMain = nullptr, hOwnerOfMain = (HWND)1, hOwnerOfNested = nullptr;
    INT_PTR nestedResult = 0;
    RECT rcMain = {};
    dlg.onInit = [&](CTestDlg* p) {
        hOwnerOfMain = GetWindow(p->m_hWnd, GW_OWNER);
        hMain = p->m_hWnd;
        PostMessageA(p->m_hWnd, WM_COMMAND, IDC_RUN_HOOK, 0);
    };
    dlg.onHook = [&](CTestDlg* p) {
        GetWindowRect(p->m_hWnd, &rcMain);
        CTestDlg nested;
        nested.onInit = [&](CTestDlg* q) {
            hOwnerOfNested = GetWindow(q->m_hWnd, GW_OWNER);
            q->EndDialog(42);
        };
        nestedResult = nested.DoModal();
        p->EndDialog(IDOK);
    };
    Watchdog guard(dlg);
    INT_PTR result = dlg.DoModal();

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(nullptr, hOwnerOfMain) << "the main window must not own itself";
    EXPECT_EQ(42, nestedResult);
    EXPECT_NE(nullptr, hOwnerOfNested);
    EXPECT_EQ(hMain, hOwnerOfNested) << "a dialog without a parent is owned by the main window";
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(0, app.Run()) << "the message loop ends at once without a main window";

    RECT rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    int dx = (rcMain.left + rcMain.right) / 2 - (rcWork.left + rcWork.right) / 2;
    int dy = (rcMain.top + rcMain.bottom) / 2 - (rcWork.top + rcWork.bottom) / 2;
    EXPECT_LE(abs(dx), 1) << "a modal dialog is centred: x " << rcMain.left << ".." << rcMain.right;
    EXPECT_LE(abs(dy), 1) << "a modal dialog is centred: y " << rcMain.top << ".." << rcMain.bottom;
}

TEST(Dialog, MissingTemplateOrControlsAreReported)
{
    CTestApp app;
    CTestDlg noTemplate(nullptr, 999);
    app.m_pMainWnd = &noTemplate;
    EXPECT_EQ(-1, noTemplate.DoModal());
    EXPECT_FALSE(noTemplate.Create(999));
    // A main window that never opened must not keep the message loop waiting.
    bool loopHung = false;
    UINT_PTR stop = After(2000, [&] { loopHung = true; PostQuitMessage(0); });
    EXPECT_EQ(0, app.Run());
    EXPECT_FALSE(loopHung);
    KillTimer(nullptr, stop);
    g_timers.erase(stop);

    CTestDlg broken(nullptr, IDD_TEST_BROKEN);
    ASSERT_TRUE(broken.Create(IDD_TEST_BROKEN));
    EXPECT_EQ(-1, broken.DoModal()) << "an open dialog cannot be run modally again";
    EXPECT_FALSE(broken.UpdateData(TRUE));
    EXPECT_TRUE(broken.DestroyWindow());
    EXPECT_EQ(nullptr, broken.m_hWnd);
}

class ModelessDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TEST_DIALOG));
        m_hDlg = m_dlg.m_hWnd;
        ASSERT_NE(nullptr, m_hDlg);
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
        PumpMessages();
    }

    CTestDlg m_dlg;
    HWND m_hDlg = nullptr;
};

TEST_F(ModelessDialog, TextAndCheckStateGoBothWays)
{
    m_dlg.m_strName = "els\xF5";
    m_dlg.m_nAgree = 1;
    EXPECT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_EQ("els\xF5", WindowText(GetDlgItem(m_hDlg, IDC_NAME)));
    EXPECT_TRUE(IsChecked(m_hDlg, IDC_AGREE));

    SetDlgItemTextA(m_hDlg, IDC_NAME, "");
    CheckDlgButton(m_hDlg, IDC_AGREE, BST_UNCHECKED);
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_STREQ("", m_dlg.m_strName);
    EXPECT_EQ(0, m_dlg.m_nAgree);

    std::string longText(3000, 'x');
    SetDlgItemTextA(m_hDlg, IDC_NAME, longText.c_str());
    CheckDlgButton(m_hDlg, IDC_AGREE, BST_CHECKED);
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(longText, std::string(m_dlg.m_strName));
    EXPECT_EQ(1, m_dlg.m_nAgree);
}

TEST_F(ModelessDialog, RadioIndexCountsOnlyTheRadioButtonsOfTheGroup)
{
    // The push button inside the group is skipped: index 2 is the third radio button.
    CheckDlgButton(m_hDlg, IDC_OTHER_RADIO, BST_CHECKED);
    m_dlg.m_nChoice = 2;
    m_dlg.UpdateData(FALSE);
    EXPECT_FALSE(IsChecked(m_hDlg, IDC_FIRST_RADIO));
    EXPECT_FALSE(IsChecked(m_hDlg, IDC_SECOND_RADIO));
    EXPECT_TRUE(IsChecked(m_hDlg, IDC_THIRD_RADIO));
    EXPECT_TRUE(IsChecked(m_hDlg, IDC_OTHER_RADIO)) << "the next group is not part of the exchange";

    m_dlg.m_nChoice = 0;
    m_dlg.UpdateData(FALSE);
    EXPECT_TRUE(IsChecked(m_hDlg, IDC_FIRST_RADIO));
    EXPECT_FALSE(IsChecked(m_hDlg, IDC_THIRD_RADIO));

    CheckRadioButton(m_hDlg, IDC_FIRST_RADIO, IDC_THIRD_RADIO, IDC_SECOND_RADIO);
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(1, m_dlg.m_nChoice);

    // None checked: -1, even though a radio button of the next group is.
    m_dlg.m_nChoice = -1;
    m_dlg.UpdateData(FALSE);
    EXPECT_FALSE(IsChecked(m_hDlg, IDC_FIRST_RADIO));
    EXPECT_FALSE(IsChecked(m_hDlg, IDC_SECOND_RADIO));
    EXPECT_FALSE(IsChecked(m_hDlg, IDC_THIRD_RADIO));
    m_dlg.m_nChoice = 7;
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(-1, m_dlg.m_nChoice);
}

TEST_F(ModelessDialog, BoundControlsAreTheMembersAndOtherControlsGetTemporaryObjects)
{
    HWND hEdit = GetDlgItem(m_hDlg, IDC_NAME);
    EXPECT_EQ(hEdit, m_dlg.m_editName.m_hWnd);
    EXPECT_EQ(&m_dlg.m_editName, CWnd::FromHandle(hEdit));
    EXPECT_EQ(&m_dlg.m_editName, m_dlg.GetDlgItem(IDC_NAME));
    EXPECT_EQ(&m_dlg, CWnd::FromHandle(m_hDlg));
    EXPECT_EQ(GetDlgItem(m_hDlg, IDC_LABEL), m_dlg.m_stLabel.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(m_hDlg, IDC_COMBO), m_dlg.m_comboList.m_hWnd);

    CWnd* pClick = m_dlg.GetDlgItem(IDC_CLICK_ME);
    ASSERT_NE(nullptr, pClick);
    EXPECT_EQ(GetDlgItem(m_hDlg, IDC_CLICK_ME), pClick->m_hWnd);
    EXPECT_EQ(pClick, m_dlg.GetDlgItem(IDC_CLICK_ME)) << "one temporary object per window";
    EXPECT_EQ(nullptr, m_dlg.GetDlgItem(12345));
    EXPECT_EQ(&m_dlg, pClick->GetParent());

    // Window operations through the objects.
    pClick->SetWindowText("M\xE1sik");
    CString text;
    pClick->GetWindowText(text);
    EXPECT_STREQ("M\xE1sik", text);
    pClick->EnableWindow(FALSE);
    EXPECT_FALSE(IsWindowEnabled(pClick->m_hWnd));
    m_dlg.m_stLabel.ShowWindow(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(m_dlg.m_stLabel.m_hWnd));

    m_dlg.m_btnAgree.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, m_dlg.m_btnAgree.GetCheck());
    EXPECT_TRUE(IsChecked(m_hDlg, IDC_AGREE));

    m_dlg.m_editName.SetWindowText("abcdef");
    m_dlg.m_editName.SetSel(1, 4);
    int nStart = -1, nEnd = -1;
    m_dlg.m_editName.GetSel(nStart, nEnd);
    EXPECT_EQ(1, nStart);
    EXPECT_EQ(4, nEnd);
    m_dlg.m_editName.ReplaceSel("X");
    m_dlg.m_editName.GetWindowText(text);
    EXPECT_STREQ("aXef", text);

    CComboBox& combo = m_dlg.m_comboList;
    combo.AddString("Tools");
    combo.AddString("Accessories");
    combo.AddString("\xC1llom\xE1s");
    EXPECT_EQ(3, combo.GetCount());
    combo.GetLBText(0, text);
    EXPECT_STREQ("Accessories", text) << "the list is sorted";
    combo.GetLBText(9, text);
    EXPECT_STREQ("", text);
    EXPECT_EQ(2, combo.FindStringExact(-1, "Tools"));
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, "Games"));
    combo.SetWindowText("Glimra 5");
    combo.GetWindowText(text);
    EXPECT_STREQ("Glimra 5", text);
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());

    EXPECT_TRUE(m_dlg.DestroyWindow());
    EXPECT_EQ(nullptr, m_dlg.m_hWnd);
    EXPECT_EQ(nullptr, m_dlg.m_editName.m_hWnd);
    EXPECT_EQ(nullptr, m_dlg.m_comboList.m_hWnd);
    EXPECT_FALSE(IsWindow(m_hDlg));
}

TEST_F(ModelessDialog, ClicksReachTheMessageMapAndUnhandledCommandsTheApplication)
{
    CTestApp app;
    SendMessageA(GetDlgItem(m_hDlg, IDC_CLICK_ME), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(m_hDlg, IDC_CLICK_ME), BM_CLICK, 0, 0);
    EXPECT_EQ(2, m_dlg.m_nClicks);
    EXPECT_EQ(0, app.m_nHelps);

    SendMessageA(GetDlgItem(m_hDlg, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(1, app.m_nHelps) << "the dialog has no handler for the help button; the application has";
    EXPECT_EQ(2, m_dlg.m_nClicks);

    // A notification other than a click does not match a click entry.
    SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(IDC_CLICK_ME, BN_SETFOCUS), 0);
    EXPECT_EQ(2, m_dlg.m_nClicks);

    // IDOK reaches the derived OnOK, which saves the controls.
    SetDlgItemTextA(m_hDlg, IDC_NAME, "saved");
    SendMessageA(GetDlgItem(m_hDlg, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(1, m_dlg.m_nOKs);
    EXPECT_STREQ("saved", m_dlg.m_strName);
}

TEST(Dialog, ModelessChildPageIsPlacedSavesOnDestroyAndGoesWithItsParent)
{
    CTestDlg frame;
    CTestPage* pFirst = new CTestPage(&frame);
    CTestPage second(&frame);
    CString saved;
    HWND hFrame = nullptr, hFirst = nullptr, hSecond = nullptr, hParentOfFirst = nullptr;
    LONG styleOfFirst = 0;
    POINT placed = {};
    BOOL firstVisible = FALSE, stillWindow = TRUE, pageTextLoaded = FALSE;
    int pageClicks = -1, frameClicks = -1;
    frame.onInit = [&](CTestDlg* p) {
        hFrame = p->m_hWnd;
        pFirst->m_strText = "lap";
        pFirst->m_pSaved = &saved;
        ASSERT_TRUE(pFirst->Create(IDD_TEST_PAGE, p));
        hFirst = pFirst->m_hWnd;
        hParentOfFirst = GetParent(hFirst);
        styleOfFirst = GetWindowLongA(hFirst, GWL_STYLE);
        pageTextLoaded = WindowText(GetDlgItem(hFirst, IDC_PAGE_TEXT)) == "lap";

        // Place it beside a control of the frame, as the wizard places its pages.
        RECT rc;
        p->GetDlgItem(IDC_LABEL)->GetWindowRect(&rc);
        p->ScreenToClient(&rc);
        pFirst->SetWindowPos(&CWnd::wndTop, rc.right + 4, rc.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        RECT rcPage;
        pFirst->GetWindowRect(&rcPage);
        placed = { rcPage.left, rcPage.top };
        p->ScreenToClient(&placed);
        placed.x -= rc.right + 4;
        placed.y -= rc.top;
        firstVisible = (GetWindowLongA(hFirst, GWL_STYLE) & WS_VISIBLE) != 0;

        SendMessageA(GetDlgItem(hFirst, IDC_PAGE_BUTTON), BM_CLICK, 0, 0);
        pageClicks = pFirst->m_nClicks;
        frameClicks = p->m_nClicks;

        // Leaving the page: its own DestroyWindow saves, then the object goes.
        SetDlgItemTextA(hFirst, IDC_PAGE_TEXT, "m\xF3" "dos\xED" "tott");
        CDialog* pPage = pFirst;
        pPage->DestroyWindow();
        stillWindow = IsWindow(hFirst);
        delete pPage;
        pFirst = nullptr;

        // The next page stays until the frame ends; Escape in it reaches the frame's OnCancel.
        ASSERT_TRUE(second.Create(IDD_TEST_PAGE, p));
        second.ShowWindow(SW_SHOW);
        hSecond = second.m_hWnd;
        HWND hEdit = GetDlgItem(hSecond, IDC_PAGE_TEXT);
        After(20, [hEdit] {
            SetFocus(hEdit);
            PostMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        });
    };
    Watchdog guard(frame);
    INT_PTR result = frame.DoModal();
    delete pFirst;

    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1, frame.m_nCancels);
    EXPECT_EQ(frame.m_hWnd, nullptr);
    EXPECT_EQ(hFrame, hParentOfFirst);
    EXPECT_TRUE(styleOfFirst & WS_CHILD);
    EXPECT_TRUE(pageTextLoaded) << "the page's OnInitDialog loads its data";
    EXPECT_EQ(0, placed.x);
    EXPECT_EQ(0, placed.y);
    EXPECT_TRUE(firstVisible);
    EXPECT_EQ(1, pageClicks);
    EXPECT_EQ(0, frameClicks) << "the page's button belongs to the page's message map";
    EXPECT_STREQ("m\xF3" "dos\xED" "tott", saved);
    EXPECT_FALSE(stillWindow);
    EXPECT_NE(nullptr, hSecond);
    EXPECT_FALSE(IsWindow(hSecond));
    EXPECT_EQ(nullptr, second.m_hWnd) << "a page destroyed with its parent lets go of its window";
}

TEST(Application, SetupAppRoutesTheHelpCommandAndNothingElse)
{
    CSetupApp app;
    EXPECT_TRUE(app.OnCmdMsg(ID_HELP, 0));
    EXPECT_FALSE(app.OnCmdMsg(IDOK, 0));
    EXPECT_FALSE(app.OnCmdMsg(ID_HELP, EN_CHANGE));
    EXPECT_EQ(&app, GetApp());
}

TEST(WaitCursor, ShowsTheHourglassForItsLifetimeAndRestoresTheCursorBefore)
{
    HCURSOR hArrow = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    HCURSOR hWait = LoadCursorA(nullptr, (LPCSTR)IDC_WAIT);
    HCURSOR hBeam = LoadCursorA(nullptr, (LPCSTR)IDC_IBEAM);
    ASSERT_NE(hArrow, hWait);
    SetCursor(hArrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(hWait, GetCursor());
        SetCursor(hBeam);
        wait.Restore();
        EXPECT_EQ(hWait, GetCursor());
        {
            CWaitCursor inner;
            EXPECT_EQ(hWait, GetCursor());
        }
        EXPECT_EQ(hWait, GetCursor());
    }
    EXPECT_EQ(hArrow, GetCursor());
}
