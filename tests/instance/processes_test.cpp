// Copies of the stand-in application registering under the application's real name, with this
// test program taking part through its own instance manager. Nothing else may use the name
// while these run.
#include <gtest/gtest.h>
#include "glmr5_run.h"
#include "instance/instance.h"
#include "engine/names.h"
#include <memory>

namespace {

std::vector<DWORD> Ids(CInstanceManager& manager)
{
    CDWordArray array;
    manager.GetInstanceIds(array);
    std::vector<DWORD> ids;
    for (int i = 0; i < array.GetSize(); ++i) ids.push_back(array[i]);
    return ids;
}

std::string Line(const char* what, DWORD value)
{
    return std::string(what) + " " + std::to_string(value);
}

class RunningCopies : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = FreshScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_FALSE(SharedListExists(INSTANCE_REGISTRY_NAME)) << "another program holds the registry";
    }
    void TearDown() override
    {
        for (Glmr5& app : m_apps) KillGlmr5(app);
        RemoveScratchDir();
    }
    // Hidden main windows: they qualify all the same, and closing a shown window costs Wine two
    // seconds without a window manager.
    Glmr5& Start(const char* label, const std::string& args = "")
    {
        m_apps.push_back(StartGlmr5(m_dir + "\\" + label + ".txt", "-hidden " + args));
        return m_apps.back();
    }
    std::string m_dir;
    std::vector<Glmr5> m_apps;
};

TEST_F(RunningCopies, RegisterReceiveNoticesAndCloseTheGapOnExit)
{
    m_apps.reserve(3);
    DWORD self = GetCurrentProcessId();
    auto manager = std::make_unique<CInstanceManager>(INSTANCE_REGISTRY_NAME, 1024);
    Glmr5& a = Start("a");
    Glmr5& b = Start("b");
    Glmr5& c = Start("c");
    ASSERT_TRUE(a.process && b.process && c.process) << "a copy did not come up";
    EXPECT_EQ((std::vector<DWORD>{self, a.pid, b.pid, c.pid}), Ids(*manager));
    EXPECT_EQ(4, manager->GetInstanceCount());

    ASSERT_TRUE(WaitForRecordLine(a.record, Line("1946", c.pid)));
    ASSERT_TRUE(WaitForRecordLine(b.record, Line("1946", c.pid)));
    ASSERT_TRUE(CloseGlmr5(b)) << "b did not end on WM_CLOSE";
    EXPECT_EQ((std::vector<DWORD>{self, a.pid, c.pid}), Ids(*manager));
    EXPECT_EQ(0u, SharedList(INSTANCE_REGISTRY_NAME).Slot(3));

    ASSERT_TRUE(WaitForRecordLine(a.record, Line("1947", b.pid)));
    ASSERT_TRUE(WaitForRecordLine(c.record, Line("1947", b.pid)));
    manager.reset();    // this program unregisters: both remaining copies hear of it
    ASSERT_TRUE(WaitForRecordLine(a.record, Line("1947", self)));
    ASSERT_TRUE(WaitForRecordLine(c.record, Line("1947", self)));
    EXPECT_EQ((std::vector<DWORD>{a.pid, c.pid}), SharedList(INSTANCE_REGISTRY_NAME).Ids());
    ASSERT_TRUE(CloseGlmr5(a));
    ASSERT_TRUE(WaitForRecordLine(c.record, Line("1947", a.pid)));
    ASSERT_TRUE(CloseGlmr5(c));

    std::vector<std::string> expectA = {Line("start", a.pid), Line("1946", b.pid), Line("1946", c.pid),
                                        Line("1947", b.pid), Line("1947", self), "WM_CLOSE 1001"};
    std::vector<std::string> expectB = {Line("start", b.pid), Line("1946", c.pid), "WM_CLOSE 1001"};
    std::vector<std::string> expectC = {Line("start", c.pid), Line("1947", b.pid), Line("1947", self),
                                        Line("1947", a.pid), "WM_CLOSE 1001"};
    EXPECT_EQ(expectA, ReadRecord(a.record)) << RecordText(ReadRecord(a.record));
    EXPECT_EQ(expectB, ReadRecord(b.record)) << RecordText(ReadRecord(b.record));
    EXPECT_EQ(expectC, ReadRecord(c.record)) << RecordText(ReadRecord(c.record));
    EXPECT_FALSE(SharedListExists(INSTANCE_REGISTRY_NAME)) << "every copy has gone, so has the list";
}

TEST_F(RunningCopies, ACopyWithoutWindowIsCountedButHearsNothing)
{
    m_apps.reserve(2);
    CInstanceManager manager(INSTANCE_REGISTRY_NAME, 1024);
    Glmr5& windowless = Start("nowindow", "-nowindow");
    Glmr5& windowed = Start("window");
    ASSERT_TRUE(windowless.process && windowed.process);
    EXPECT_EQ(3, manager.GetInstanceCount());
    ASSERT_TRUE(QuitGlmr5(windowless)) << "the copy without window did not end on WM_QUIT";
    ASSERT_TRUE(WaitForRecordLine(windowed.record, Line("1947", windowless.pid)));
    EXPECT_EQ((std::vector<DWORD>{GetCurrentProcessId(), windowed.pid}), Ids(manager));
    EXPECT_EQ(std::vector<std::string>{Line("start", windowless.pid)}, ReadRecord(windowless.record))
        << RecordText(ReadRecord(windowless.record));
    ASSERT_TRUE(CloseGlmr5(windowed));
}

TEST_F(RunningCopies, ATerminatedCopyStaysListed)
{
    m_apps.reserve(1);
    CInstanceManager manager(INSTANCE_REGISTRY_NAME, 1024);
    Glmr5& stubborn = Start("stubborn", "-ignoreclose");
    ASSERT_TRUE(stubborn.process);
    EXPECT_FALSE(CloseGlmr5(stubborn, 500)) << "a copy told to ignore WM_CLOSE ended";
    EXPECT_TRUE(WaitForRecordLine(stubborn.record, "WM_CLOSE 1001"));
    DWORD pid = stubborn.pid;
    KillGlmr5(stubborn);
    EXPECT_EQ((std::vector<DWORD>{GetCurrentProcessId(), pid}), Ids(manager));
}

}  // namespace
