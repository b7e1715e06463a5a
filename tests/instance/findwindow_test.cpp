// FindAppWindow over windows of this test program and of stand-in application processes.
#include <gtest/gtest.h>
#include "glmr5_run.h"
#include "instance/findwindow.h"

namespace {

const char* kClass = "GlmFindWindowTest";

HWND MakeWindow(const std::string& title, DWORD exStyle = 0, HWND owner = nullptr, bool visible = false)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = DefWindowProcA;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = kClass;
        registered = RegisterClassA(&cls) != 0;
    }
    DWORD style = owner ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW;
    if (visible) style |= WS_VISIBLE;
    return CreateWindowExA(exStyle, kClass, title.c_str(), style, 10, 10, 200, 100, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

std::string TitleOf(HWND hwnd)
{
    char title[512] = "";
    if (hwnd) GetWindowTextA(hwnd, title, sizeof(title));
    return title;
}

// Windows of this process, destroyed at the end of each case. They stay hidden (visibility is
// not looked at, and hidden windows are quick to make and destroy without a message loop).
class OwnWindows : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) DestroyWindow(*it);
    }
    HWND Make(const std::string& title, DWORD exStyle = 0, HWND owner = nullptr, bool visible = false)
    {
        HWND hwnd = MakeWindow(title, exStyle, owner, visible);
        if (hwnd) m_windows.push_back(hwnd);
        return hwnd;
    }
    HWND Find() { return FindAppWindow(GetCurrentProcessId()); }
    std::vector<HWND> m_windows;
};

TEST_F(OwnWindows, TitleMustBeginWithTheProductName)
{
    struct Case { std::string title; bool found; } cases[] = {
        {"Glimra 5 - Kep1.png", true},
        {"Glimra", true},
        {"Glimra" + std::string(600, 'x'), true},
        {"Kep1.png - Glimra 5", false},
        {"glimra 5", false},
        {"GLIMRA 5", false},
        {" Glimra 5", false},
        {"Glimr", false},
        {"", false},
        {"DDE Server Window", false},
        {"OleMainThreadWndName", false},
    };
    for (const Case& c : cases) {
        HWND hwnd = MakeWindow(c.title);
        ASSERT_TRUE(hwnd != nullptr);
        HWND found = Find();
        EXPECT_EQ(c.found ? hwnd : nullptr, found) << "title \"" << c.title << "\", found \"" << TitleOf(found) << "\"";
        DestroyWindow(hwnd);
    }
}

TEST_F(OwnWindows, HelperWindowsAreSkippedBeforeTheMainWindow)
{
    HWND main = Make("Glimra 5 - Kep1.png");
    Make("DDE Server Window");
    Make("OleMainThreadWndName");
    EXPECT_EQ(main, Find()) << "found \"" << TitleOf(Find()) << "\"";
}

TEST_F(OwnWindows, ToolWindowsAreNeverReturned)
{
    Make("Glimra 5 - eszkozok", WS_EX_TOOLWINDOW);
    EXPECT_EQ(nullptr, Find()) << "found \"" << TitleOf(Find()) << "\"";
    HWND main = Make("Glimra 5 - Kep1.png");
    Make("Glimra 5 - paletta", WS_EX_TOOLWINDOW);
    EXPECT_EQ(main, Find()) << "found \"" << TitleOf(Find()) << "\"";
}

TEST_F(OwnWindows, OwnedWindowsAreSkipped)
{
    HWND frame = Make("Keret");
    Make("Glimra 5 - Beallitasok", 0, frame);
    EXPECT_EQ(nullptr, Find()) << "found \"" << TitleOf(Find()) << "\"";
    HWND main = Make("Glimra 5 - Kep1.png");
    Make("Glimra 5 - Mentes", 0, main);
    EXPECT_EQ(main, Find()) << "found \"" << TitleOf(Find()) << "\"";
}

TEST(FindAppWindow, NoProcessOrNoWindowGivesNothing)
{
    EXPECT_EQ(nullptr, FindAppWindow(0));
    EXPECT_EQ(nullptr, FindAppWindow(GetCurrentProcessId())) << "this program has no window now";
}

// Stand-in application processes; each ends within the case.
class OtherProcess : public ::testing::Test {
protected:
    void SetUp() override { m_dir = FreshScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    void TearDown() override
    {
        KillGlmr5(m_app);
        RemoveScratchDir();
    }
    void Start(const std::string& args) { m_app = StartGlmr5(m_dir + "\\record.txt", args); }
    std::string m_dir;
    Glmr5 m_app;
};

TEST_F(OtherProcess, FindsTheMainWindowUntilTheProcessHasEnded)
{
    Start("-doc Kep1.png");
    ASSERT_TRUE(m_app.process);
    HWND found = FindAppWindow(m_app.pid);
    EXPECT_EQ("Glimra 5 - Kep1.png", TitleOf(found));
    DWORD pid = m_app.pid;
    ASSERT_TRUE(CloseGlmr5(m_app));
    EXPECT_EQ(nullptr, FindAppWindow(pid));
}

TEST_F(OtherProcess, PassesOverTheOwnedDialog)
{
    Start("-owned");
    ASSERT_TRUE(m_app.process);
    HWND found = FindAppWindow(m_app.pid);
    EXPECT_EQ("Glimra 5 - Dokumentum1", TitleOf(found));
    EXPECT_EQ(nullptr, GetWindow(found, GW_OWNER));
    HWND dialog = FindWindowA("Glmr5Owned", "Glimra 5 - Beallitasok");
    ASSERT_TRUE(dialog != nullptr) << "the owned dialog is missing";
    EXPECT_EQ(found, GetWindow(dialog, GW_OWNER));
}

TEST_F(OtherProcess, ProcessesWithoutAQualifyingWindowGiveNothing)
{
    for (const char* args : {"-toolwindow", "-nowindow", "-title \"Kep1.png - Glimra 5\""}) {
        Start(args);
        ASSERT_TRUE(m_app.process) << args;
        HWND found = FindAppWindow(m_app.pid);
        EXPECT_EQ(nullptr, found) << args << ": found \"" << TitleOf(found) << "\"";
        KillGlmr5(m_app);
        DeleteFileA((m_dir + "\\record.txt").c_str());
    }
}

TEST_F(OtherProcess, AHiddenMainWindowIsFound)
{
    Start("-hidden");
    ASSERT_TRUE(m_app.process);
    HWND found = FindAppWindow(m_app.pid);
    EXPECT_EQ("Glimra 5 - Dokumentum1", TitleOf(found));
    EXPECT_FALSE(IsWindowVisible(found));
}

}  // namespace
