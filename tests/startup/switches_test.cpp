#include <gtest/gtest.h>
#include <vector>
#include "core/switches.h"

// Builds argv from a list; argv[0] is the program name.
struct Args {
    explicit Args(std::vector<const char*> list) : argv(list) {}
    int argc() const { return (int)argv.size(); }
    const char* const* data() const { return argv.data(); }
    std::vector<const char*> argv;
};

TEST(Switches, SilentIsDashSAnywhereAfterTheProgramNameInAnyCase)
{
    Args only({"setup.exe", "-s"});
    EXPECT_TRUE(HasSilentSwitch(only.argc(), only.data()));
    Args second({"setup.exe", "-install", "-S"});
    EXPECT_TRUE(HasSilentSwitch(second.argc(), second.data()));
    Args slash({"setup.exe", "/s"});
    EXPECT_FALSE(HasSilentSwitch(slash.argc(), slash.data())) << "\"/s\" is not the general silent switch";
    Args programOnly({"-s"});
    EXPECT_FALSE(HasSilentSwitch(programOnly.argc(), programOnly.data())) << "the program name is not examined";
    Args longer({"setup.exe", "-silent", "-s2", "s"});
    EXPECT_FALSE(HasSilentSwitch(longer.argc(), longer.data()));
}

TEST(Switches, RemovalRunNeedsExactDelselfFirstAndASecondArgument)
{
    Args run({"uni1.tmp", "-delself", "C:\\Program Files\\Glimra 5\\GlmUnInst.exe"});
    EXPECT_TRUE(IsRemovalRun(run.argc(), run.data()));
    Args alone({"uni1.tmp", "-delself"});
    EXPECT_FALSE(IsRemovalRun(alone.argc(), alone.data()));
    Args capitals({"uni1.tmp", "-DELSELF", "x"});
    EXPECT_FALSE(IsRemovalRun(capitals.argc(), capitals.data()));
    Args mixed({"uni1.tmp", "-Delself", "x"});
    EXPECT_FALSE(IsRemovalRun(mixed.argc(), mixed.data()));
    Args second({"uni1.tmp", "x", "-delself", "y"});
    EXPECT_FALSE(IsRemovalRun(second.argc(), second.data()));
    Args prefix({"uni1.tmp", "-delselfx", "y"});
    EXPECT_FALSE(IsRemovalRun(prefix.argc(), prefix.data()));
}

TEST(Switches, InstallSwitchOnlyAsFirstArgumentInAnyCase)
{
    Args first({"GlmUnInst.exe", "-INSTALL"});
    EXPECT_TRUE(HasInstallSwitch(first.argc(), first.data()));
    Args second({"GlmUnInst.exe", "-s", "-install"});
    EXPECT_FALSE(HasInstallSwitch(second.argc(), second.data()));
    Args none({"GlmUnInst.exe"});
    EXPECT_FALSE(HasInstallSwitch(none.argc(), none.data()));
    Args prefix({"GlmUnInst.exe", "-installer"});
    EXPECT_FALSE(HasInstallSwitch(prefix.argc(), prefix.data()));
}

TEST(Switches, CloseWithoutAskingLooksFromTheSecondArgumentOn)
{
    Args firstOnly({"setup.exe", "-s"});
    EXPECT_FALSE(HasCloseWithoutAskingSwitch(firstOnly.argc(), firstOnly.data()));
    Args slashFirst({"setup.exe", "/S"});
    EXPECT_FALSE(HasCloseWithoutAskingSwitch(slashFirst.argc(), slashFirst.data()));
    Args dash({"setup.exe", "-install", "-S"});
    EXPECT_TRUE(HasCloseWithoutAskingSwitch(dash.argc(), dash.data()));
    Args slash({"setup.exe", "x", "y", "/s"});
    EXPECT_TRUE(HasCloseWithoutAskingSwitch(slash.argc(), slash.data()));
    Args other({"setup.exe", "x", "/silent", "s", "--s"});
    EXPECT_FALSE(HasCloseWithoutAskingSwitch(other.argc(), other.data()));
}

TEST(Switches, SetupProgramPathContainsSetupExeAnywhereIgnoringCase)
{
    EXPECT_TRUE(IsSetupProgramPath("C:\\pkg\\setup.exe"));
    EXPECT_TRUE(IsSetupProgramPath("C:\\pkg\\GlimraSetup.EXE"));
    EXPECT_TRUE(IsSetupProgramPath("C:\\pkg\\setup.exe.bak.exe"));
    EXPECT_TRUE(IsSetupProgramPath("C:\\SETUP.EXE\\GlmUnInst.exe"));
    EXPECT_FALSE(IsSetupProgramPath("C:\\pkg\\install.exe"));
    EXPECT_FALSE(IsSetupProgramPath("C:\\Program Files\\Glimra 5\\GlmUnInst.exe"));
    EXPECT_FALSE(IsSetupProgramPath("C:\\pkg\\setup.ex"));
    EXPECT_FALSE(IsSetupProgramPath("C:\\pkg\\setup_exe"));
    EXPECT_FALSE(IsSetupProgramPath(""));
    // Non-ASCII bytes of a code-page path are passed over, not folded.
    EXPECT_TRUE(IsSetupProgramPath("C:\\Telep\xedt\xf5\\Setup.exe"));
}

// The starter's handle follows "-starter" after the uninstaller's path: an argument in the place of
// the path is the path, however it reads, and a "-starter" without a value names nothing.
TEST(Switches, StarterHandleFollowsTheUninstallerPath)
{
    struct Row {
        std::vector<const char*> argv;
        const char* handle;
    };
    const Row rows[] = {
        { { "uni1.tmp", "-delself", "C:\\Glimra 5\\GlmUnInst.exe", "-s", "-starter", "124" }, "124" },
        { { "uni1.tmp", "-delself", "C:\\Glimra 5\\GlmUnInst.exe", "-starter", "88", "-log", "x" }, "88" },
        { { "uni1.tmp", "-delself", "-starter", "12" }, nullptr },
        { { "uni1.tmp", "-delself", "C:\\GlmUnInst.exe", "-starter" }, nullptr },
        { { "uni1.tmp", "-delself", "C:\\GlmUnInst.exe", "-STARTER", "5" }, nullptr },
        { { "uni1.tmp", "-delself", "C:\\GlmUnInst.exe" }, nullptr },
    };
    for (const Row& row : rows) {
        Args args(row.argv);
        const char* found = FindStarterHandle(args.argc(), args.data());
        if (row.handle) EXPECT_STREQ(row.handle, found);
        else EXPECT_EQ(nullptr, found) << found;
    }
}
