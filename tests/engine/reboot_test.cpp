#include <gtest/gtest.h>
#include "enginesuite.h"
#include "engine/reboot.h"
#include "wininit.h"
#include <algorithm>

// The "rename" section of WININIT.INI in the Windows directory; the file is saved and put back.
class DelayedDeletion : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileA(m_wininit.Path().c_str());
        RemoveOwnPendingRenames();
    }
    void TearDown() override
    {
        RemoveOwnPendingRenames();
        RemoveTree(ENGINE_ROOT "\\reboot");
    }
    WininitBackup m_wininit;
};

TEST_F(DelayedDeletion, SystemListIsUsedAndWininitLeftAlone)
{
    std::string file = FreshFolder(ENGINE_ROOT "\\reboot") + "\\uni1A2B.tmp";
    WriteFileBytes(file, "copy");
    DeleteOnReboot(file.c_str());
    std::vector<std::string> sources = PendingRenameSources();
    EXPECT_NE(sources.end(), std::find(sources.begin(), sources.end(), file)) << Joined(sources);
    EXPECT_FALSE(PathExists(m_wininit.Path()));
    EXPECT_TRUE(PathExists(file));  // deleted only at the next start
}

TEST_F(DelayedDeletion, WininitSectionIsCreatedWithOneEntry)
{
    ASSERT_TRUE(AddWininitDeletion("C:\\glmtest\\engine\\reboot\\a.old"));
    std::vector<std::string> entries = WininitRenameEntries();
    ASSERT_EQ(1u, entries.size()) << Joined(entries);
    EXPECT_EQ("NUL=C:\\glmtest\\engine\\reboot\\a.old", entries[0]);
    EXPECT_NE(std::string::npos, ReadFileBytes(m_wininit.Path()).find("[rename]")) << ReadFileBytes(m_wininit.Path());
}

TEST_F(DelayedDeletion, WininitEntriesAreKeptAndNewOnesFollowInOrder)
{
    WriteWininitRenameSection({ "C:\\new.sys=C:\\upd.sys", "NUL=C:\\first.tmp" });
    ASSERT_TRUE(AddWininitDeletion("C:\\a.old"));
    ASSERT_TRUE(AddWininitDeletion("C:\\b.old"));
    std::vector<std::string> entries = WininitRenameEntries();
    std::vector<std::string> expected = { "C:\\new.sys=C:\\upd.sys", "NUL=C:\\first.tmp", "NUL=C:\\a.old", "NUL=C:\\b.old" };
    EXPECT_EQ(Joined(expected), Joined(entries));
}

TEST_F(DelayedDeletion, WininitSectionNearTheBufferSizeIsNotCut)
{
    // Entries of 99 bytes (NUL included): 165 of them fill 16335 bytes, so with the list's closing
    // NUL 48 bytes are left: "NUL=", a path of 43 bytes and its NUL fit exactly, one byte more does not.
    std::vector<std::string> entries;
    for (int i = 0; i < 165; i++) {
        char entry[128];
        snprintf(entry, sizeof entry, "NUL=C:\\%03d\\%s", i, std::string(87, 'x').c_str());
        entries.push_back(entry);
    }
    ASSERT_EQ(98u, entries[0].size());
    WriteWininitRenameSection(entries);
    ASSERT_EQ(165u, WininitRenameEntries().size());

    std::string tooLong = "C:\\" + std::string(41, 'y');  // 44 bytes
    EXPECT_FALSE(AddWininitDeletion(tooLong.c_str()));
    EXPECT_EQ(Joined(entries), Joined(WininitRenameEntries()));

    std::string fits = "C:\\" + std::string(40, 'z');  // 43 bytes
    EXPECT_TRUE(AddWininitDeletion(fits.c_str()));
    std::vector<std::string> expected = entries;
    expected.push_back("NUL=" + fits);
    EXPECT_EQ(Joined(expected), Joined(WininitRenameEntries()));

    // A section larger than the buffer is left whole.
    for (int i = 0; i < 10; i++) expected.push_back("NUL=C:\\more\\" + std::string(80, 'm'));
    WriteWininitRenameSection(expected);
    EXPECT_FALSE(AddWininitDeletion("C:\\x"));
    EXPECT_EQ(Joined(expected), Joined(WininitRenameEntries()));
}

TEST_F(DelayedDeletion, FailingSystemListFallsBackToWininit)
{
    // The system's list refuses an empty path, so the entry goes to WININIT.INI after the others.
    WriteWininitRenameSection({ "NUL=C:\\first.tmp" });
    ASSERT_FALSE(MoveFileExA("", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    DeleteOnReboot("");
    EXPECT_EQ("NUL=C:\\first.tmp,NUL=", Joined(WininitRenameEntries()));
}
