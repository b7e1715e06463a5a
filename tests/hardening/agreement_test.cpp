// The agreement page reads "agreement.txt" of the current folder whole into its edit control.
// Every row: the page is created in this process as the wizard creates it; no crash, heaps intact,
// the file unchanged, and the text arrives whole or the page stays empty.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "wizard/agreementpage.h"
#include "resource.h"
#include <algorithm>

struct AgreementRow {
    std::string name;
    bool present;
    std::string text;
    bool shown;  // the page shows the text whole; else it stays empty
};

static void PrintTo(const AgreementRow& row, std::ostream* out) { *out << row.name; }

// Numbered lines of plain text of size bytes, so a lost or shifted piece shows.
static std::string Lines(size_t size)
{
    std::string text;
    for (int i = 1; text.size() < size; i++) text += "Sor " + std::to_string(i) + ": a felhasznalasi feltetelek szovege.\r\n";
    text.resize(size);
    return text;
}

// A licence text of up to 256 KB is shown whole; a larger file is damage and leaves the page
// empty instead of holding the wizard in its edit control for minutes.
static std::vector<AgreementRow> Rows()
{
    return {
        { "TenMegabytes", true, Lines(10 * 1024 * 1024), false },
        { "TenMegabytesOnOneLine", true, Repeat('w', 10 * 1024 * 1024), false },
        { "OneByteOverTheLimit", true, Lines(256 * 1024 + 1), false },
        { "AtTheLimit", true, Lines(256 * 1024), true },
        { "Empty", true, "", false },
        { "Missing", false, "", false },
    };
}

class BigAgreement : public ::testing::TestWithParam<AgreementRow> {
protected:
    void SetUp() override
    {
        m_folder = FreshFolder(HARD_ROOT "\\agreement");
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        SetCurrentDirectoryA(m_folder.c_str());
        m_host.m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_host.m_hWnd);
        m_host.m_hWnd = nullptr;
        SetCurrentDirectoryA(m_previous);
        RemoveTree(m_folder);
    }
    std::string m_folder;
    char m_previous[MAX_PATH] = "C:\\";
    CWnd m_host;
};

TEST_P(BigAgreement, TextArrivesWholeOrPageStaysEmpty)
{
    const AgreementRow& row = GetParam();
    std::string path = m_folder + "\\agreement.txt";
    if (row.present) WriteFileBytes(path, row.text);
    ASSERT_NE(nullptr, m_host.m_hWnd);

    DWORD started = GetTickCount();
    CAgreementPage* page = new CAgreementPage(&m_host);
    ASSERT_TRUE(page->Create(IDD_AGREEMENT_PAGE, &m_host)) << "the page was not created";
    HWND edit = GetDlgItem(page->m_hWnd, IDC_AGREEMENT_TEXT);
    ASSERT_NE(nullptr, edit);
    int length = (int)SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    std::string shown((size_t)length + 1, '\0');
    int got = (int)SendMessageA(edit, WM_GETTEXT, (WPARAM)shown.size(), (LPARAM)&shown[0]);
    shown.resize((size_t)(got > 0 ? got : 0));
    delete page;
    DWORD elapsed = GetTickCount() - started;

    if (row.shown) {
        EXPECT_EQ(row.text.size(), shown.size());
        EXPECT_TRUE(row.text == shown) << "the text arrived changed; first difference at "
                                       << std::mismatch(row.text.begin(), row.text.end(), shown.begin()).first -
                                              row.text.begin();
    } else {
        EXPECT_EQ(0u, shown.size()) << "the page shows text for a file of " << row.text.size() << " bytes";
    }
    EXPECT_LT(elapsed, 5000u) << "milliseconds to show the page";
    EXPECT_EQ(row.present ? row.text : std::string("<missing>"), ReadFileBytes(path)) << "agreement.txt was changed";
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, BigAgreement, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<AgreementRow>& info) { return info.param.name; });
