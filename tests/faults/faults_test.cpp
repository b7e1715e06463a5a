// Installation and removal against real faults: a drive that fills up (T:) and a read-only drive
// (U:), both small tmpfs mounts made by smalldrives.sh; a file another process holds open; a
// registry key that refuses new subkeys. Each case checks the disk, the registry, the message,
// the exit code (GetExitCodeProcess) and the run log.
#include <gtest/gtest.h>
#include <algorithm>
#include "sandbox.h"
#include "package.h"
#include "pending.h"
#include "robot.h"
#include "samplepackage.h"
#include "engine/fileplace.h"
#include "engine/install.h"
#include "engine/runrecord.h"
#include "engine/settings.h"

namespace {

const DWORD kWait = 20000;
const char kUninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe";
const char kMakerKey[] = "SOFTWARE\\Orvane";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A file of that many bytes.
std::string Bytes(size_t count) { return std::string(count, 'x'); }

// The small drives are there only when the fixture could mount them.
bool DriveMapped(const char* root) { return GetFileAttributesA(root) != INVALID_FILE_ATTRIBUTES; }

class Faults : public ::testing::Test {
protected:
    Sandbox m_box{"faults"};
    ShellFolderPaths m_shell;

    void SetUp() override { m_shell = m_box.RedirectShellFolders(); }
    void TearDown() override
    {
        RegDeleteTree(HKEY_LOCAL_MACHINE, kMakerKey);
        RemovePendingRenames([](const std::string& source) {
            return source.rfind("C:\\glmtest\\faults", 0) == 0 || source.rfind("T:\\", 0) == 0;
        });
    }

    // A package of the build's setup, uninstaller, stand-in, resource library and sample files.
    std::string MakePackage()
    {
        std::string dir = m_box.Path("pkg");
        EXPECT_TRUE(CopyBuiltPackage(dir, StandInExePath()));
        return dir;
    }

    // Nothing of the product in the registry, the installed-programs list or the shell folders.
    void ExpectNoProductLeft()
    {
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry)) << "the installed-programs list shows it";
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kAppPaths));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kMakerKey) + "\\Glimra v.5"));
        EXPECT_FALSE(PathExists(m_shell.commonPrograms + "\\Glimra 5")) << TreeText(m_shell.commonPrograms);
        EXPECT_FALSE(PathExists(m_shell.commonDesktop + "\\Glimra 5.lnk"));
    }
};

// A silent installation onto a drive that fills up or cannot be written: exit code 1603, the
// failure and its reason in the run log, and nothing of the product left, while what was on the
// drive before stays.
TEST_F(Faults, SilentInstallationOntoAFaultyDriveIsUndone)
{
    struct Row {
        const char* name;
        const char* drive;
        const char* reason;   // the error number the log must name
        const char* before;   // a file that was there before, or null
    } rows[] = {
        { "full drive", "T:\\", "(112)", "T:\\keep.txt" },
        { "read-only drive", "U:\\", "(5)", nullptr },
    };
    std::string package = MakePackage();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (!DriveMapped(row.drive)) {
            GTEST_SKIP() << row.drive << " is not mapped: smalldrives.sh could not mount a tmpfs";
        }
        if (row.before) ASSERT_TRUE(WriteFileBytes(row.before, "the user's"));
        std::string log = m_box.Path(std::string("run-") + row.drive[0] + ".log");

        ChildProcess setup = StartProgram(package + "\\setup.exe", std::string("-s -instdir ") + row.drive + " -log " + log);
        int code = WaitProcess(setup, kWait);

        EXPECT_EQ(1603, code);
        EXPECT_EQ(row.before ? "keep.txt" : "", Joined(ListFolder(row.drive)));
        if (row.before) EXPECT_EQ("the user's", ReadFileBytes(row.before));
        ExpectNoProductLeft();
        std::string text = ReadFileText(log);
        EXPECT_TRUE(Contains(text, "mode: install, silent")) << text;
        EXPECT_TRUE(Contains(text, "FAILED, error")) << text;
        // The system's words for the error stand before its number.
        EXPECT_TRUE(Contains(text, std::string(". ") + row.reason)) << text;
        EXPECT_TRUE(Contains(text, "exit code 1603")) << text;
        if (row.before) DeleteFileA(row.before);
    }
}

// A program in use is moved aside to ".old" before its new copy is written; when that copy fails
// on a full drive, the cut-off file goes and the program gets its name back, with nothing left
// for the next start.
TEST_F(Faults, InUseProgramGetsItsNameBackWhenItsCopyFails)
{
    if (!DriveMapped("T:\\")) GTEST_SKIP() << "T: is not mapped: smalldrives.sh could not mount a tmpfs";
    std::string inst = "T:\\inst", target = inst + "\\Glmr5.exe";
    ASSERT_TRUE(MakeFolders(inst));
    std::string holder = TestProgramDir() + "\\faults_fileholder.exe";
    ASSERT_TRUE(CopyFileA(holder.c_str(), target.c_str(), FALSE));
    std::string running = ReadFileBytes(target);
    ChildProcess program = StartProcess("\"" + target + "\" \"" + target + "\" 20000");
    ASSERT_NE(nullptr, program.process);
    Sleep(300);
    ASSERT_FALSE(DeleteFileA(target.c_str())) << "the running program's file should not be deletable";
    std::string pkg = m_box.Path("bigpkg");
    ASSERT_TRUE(MakeFolders(pkg));
    ASSERT_TRUE(WriteFileBytes(pkg + "\\Glmr5.exe", Bytes(190 * 1024)));
    int failures = CountRunFailures();

    EXPECT_FALSE(CopyInstallFile("Glmr5.exe", pkg.c_str(), inst.c_str(), nullptr));

    EXPECT_EQ(failures + 1, CountRunFailures());
    EXPECT_TRUE(Contains(GetFailedList().GetString(), target)) << GetFailedList().GetString();
    EXPECT_TRUE(ReadFileBytes(target) == running) << "the program should be back under its name";
    EXPECT_EQ("Glmr5.exe", Joined(ListFolder(inst)));
    std::vector<std::string> pending = PendingRenameSources();
    EXPECT_EQ(0, std::count(pending.begin(), pending.end(), target + ".old")) << Joined(pending);
    EndProcess(program);
    RemoveTree(inst);
}

// A registry key that refuses new subkeys (a volatile key takes no lasting ones) fails the
// installation: what the run made goes again, what was there before stays.
TEST_F(Faults, RegistryWriteFailureUndoesTheInstallation)
{
    std::string pkg = m_box.Path("pkg"), inst = m_box.Path("inst\\Glimra 5");
    MakeSamplePackage(pkg);
    ASSERT_TRUE(MakeFolders(inst));
    ASSERT_TRUE(WriteFileBytes(inst + "\\user.txt", "the user's"));
    HKEY maker;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMakerKey, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &maker, nullptr));
    RegCloseKey(maker);
    SetNewInstallSettings(pkg, inst, true);

    EXPECT_EQ(1, PerformInstall());

    EXPECT_EQ("user.txt", Joined(ListFolder(inst)));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kMakerKey)) << "the key was there before";
    ExpectNoProductLeft();
    EXPECT_FALSE(PathExists(m_shell.commonStartup + "\\Glimra 5.lnk"));
    std::string first = DescribeFirstFailure().GetString();
    EXPECT_TRUE(Contains(GetFailedList().GetString(), "SOFTWARE\\Orvane\\Glimra v.5")) << GetFailedList().GetString();
    EXPECT_FALSE(first.empty());
}

// The removal run with an installed file held open by another process: the rest goes, the file
// and its folder are scheduled for the next start, the message names them instead of message 20,
// and the exit code is 3010. The installation before it used "-instdir \folder" (rooted, no drive),
// which must be made whole.
TEST_F(Faults, RemovalWithAFileHeldOpenSchedulesItAndSaysSo)
{
    std::string package = MakePackage();
    ASSERT_TRUE(MakeFolders(m_box.Path("apps")));
    std::string log = m_box.Path("run.log");
    ChildProcess setup = StartProgram(package + "\\setup.exe", "-s -instdir \\glmtest\\faults\\apps -log " + log);
    ASSERT_EQ(0, WaitProcess(setup, kWait)) << ReadFileText(log);
    std::string inst = m_box.Path("apps\\Glimra 5");
    EXPECT_EQ("\"" + inst + "\\GlmUnInst.exe\"", RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString"));
    std::string held = inst + "\\readme.txt";
    ChildProcess holder = StartProcess("\"" + TestProgramDir() + "\\faults_fileholder.exe\" \"" + held + "\" 30000");
    ASSERT_NE(nullptr, holder.process);
    Sleep(300);
    ASSERT_FALSE(DeleteFileA(held.c_str())) << "the held file should not be deletable";
    std::string copy = m_box.Path("uniF00D.tmp");
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), copy.c_str(), FALSE));

    ChildProcess removal = StartProcess("\"" + copy + "\" -delself \"" + inst + "\\GlmUnInst.exe\" -log " + log);
    MessageBoxView box = WaitForMessageBox(removal.id, kWait);
    std::string text = box.text;
    EXPECT_TRUE(Contains(text, "A Glimra 5 eltávolítása nem teljes.")) << text;
    EXPECT_TRUE(Contains(text, "következő indításakor")) << text;
    EXPECT_TRUE(Contains(text, held)) << text;
    EXPECT_FALSE(Contains(text, "sikeresen")) << text;
    if (box.window) AnswerMessageBox(box, IDOK, kWait);
    EXPECT_EQ(3010, WaitProcess(removal, kWait));

    EXPECT_EQ("readme.txt", Joined(ListFolder(inst)));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
    std::vector<std::string> pending = PendingRenameSources();
    auto file = std::find(pending.begin(), pending.end(), held);
    auto folder = std::find(pending.begin(), pending.end(), inst);
    EXPECT_TRUE(file != pending.end() && folder != pending.end() && file < folder)
        << "the file, then its folder: " << Joined(pending);
    std::string logText = ReadFileText(log);
    EXPECT_TRUE(Contains(logText, "mode: removal run")) << logText;
    EXPECT_TRUE(Contains(logText, "left for the next start of Windows: " + held)) << logText;
    EXPECT_TRUE(Contains(logText, "exit code 3010")) << logText;
    EndProcess(holder);
}

}  // namespace
