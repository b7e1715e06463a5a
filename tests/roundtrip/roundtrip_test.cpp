// The whole life of an installation: setup.exe installs the sample package silently, the
// application's own registry values and a taken-over file type are added as the application would
// leave them, then the installed GlmUnInst.exe uninstalls (asked and answered through the UI robot,
// or silently), hands over to its temporary copy, and waits for it: the copy removes everything of
// the product, ends the uninstaller with the outcome and then deletes it.
#include "roundtrip.h"
#include <stdio.h>

namespace roundtrip {
namespace {

// The bytes of the files under folder, but for the installation log; with the package's script,
// which the setup places as the log before it appends its records, that is what an installation
// placed.
ULONGLONG PlacedBytes(const std::string& folder, const std::string& script)
{
    ULONGLONG bytes = ReadFileBytes(script).size();
    std::string tree = TreeText(folder);
    for (size_t start = 0, end; start < tree.size(); start = end + 1) {
        end = tree.find(',', start);
        if (end == std::string::npos) end = tree.size();
        std::string name = tree.substr(start, end - start);
        if (!name.empty() && name.back() != '\\' && name != "GlmUnInst.log") bytes += ReadFileBytes(folder + "\\" + name).size();
    }
    return bytes;
}

// The reg output holds the value: its name, type and data on one line of their own.
bool HasValueLine(const std::string& output, const std::string& name, const std::string& typeAndData)
{
    std::string line = "    " + name + "    " + typeAndData;
    size_t at = output.find(line);
    return at != std::string::npos && (at + line.size() == output.size() || output[at + line.size()] == '\r' ||
                                       output[at + line.size()] == '\n');
}

// A deployment tool waits for the uninstaller, reads its exit code and then checks: by the time the
// uninstaller ends, the product is gone; its own file and folder follow, and only the temporary
// copy waits for the next start of Windows.
TEST_F(RoundTrip, AWaitedSilentUninstallEndsWhenTheProductIsGone)
{
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    std::string list = InstalledProgramsList();
    EXPECT_NE(std::string::npos, list.find("Glimra 5")) << "the system's list: " << list;

    ChildProcess uninstaller = StartUninstaller("-s");
    ASSERT_NE(nullptr, uninstaller.process);
    DWORD copyId = 0;
    HANDLE copy = TakeTemporaryCopy(uninstaller, &copyId);
    ASSERT_NE(nullptr, copy) << "no uni*.tmp process was started by the uninstaller";
    std::string copyPath = m_scheduled.back();
    EXPECT_EQ(0u, WaitForUninstaller(uninstaller));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
    EXPECT_FALSE(FileExists(m_inst + "\\Glmr5.exe"));
    ASSERT_NO_FATAL_FAILURE(ExpectCopyEnds(copy, copyId));

    EXPECT_FALSE(FolderExists(m_inst)) << Joined(ListFolder(m_inst));
    EXPECT_TRUE(FolderExists(m_box.Path("Program Files")));
    EXPECT_FALSE(FolderExists(m_folders.commonPrograms + "\\Glimra 5"));
    ExpectNoShortcuts();
    ExpectNoRegistryEntries();
    ExpectScheduledForDeletion(copyPath);
    for (const std::string& pending : PendingRenameSources())
        EXPECT_NE(0u, Lower(pending).find(Lower(m_box.Root()))) << pending << " is left for the next start";
    EXPECT_TRUE(FileExists(copyPath)) << "the copy's file goes at the next start, not before";
}

// The uninstaller's exit code is the removal's outcome, read as a deployment tool reads it: 0 when
// everything went, 3010 when a file held open goes at the next start of Windows.
TEST_F(RoundTrip, TheUninstallersExitCodeIsTheRemovalsOutcome)
{
    struct Row {
        const char* held;   // a file of the installation held open without delete sharing; null: none
        DWORD code;
    };
    for (const Row& row : { Row{ nullptr, 0 }, Row{ "readme.txt", 3010 } }) {
        SCOPED_TRACE(row.held ? row.held : "nothing held");
        // The uninstall before took the scratch Programs folder with the group it emptied.
        m_folders = m_box.RedirectShellFolders();
        ASSERT_NO_FATAL_FAILURE(InstallSilently());
        std::string held = row.held ? m_inst + "\\" + row.held : std::string();
        HANDLE file = row.held ? CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        if (row.held) ASSERT_NE(INVALID_HANDLE_VALUE, file) << held;

        ChildProcess uninstaller = StartUninstaller("-s");
        DWORD copyId = 0;
        HANDLE copy = TakeTemporaryCopy(uninstaller, &copyId);
        ASSERT_NE(nullptr, copy);
        EXPECT_EQ(row.code, WaitForUninstaller(uninstaller));
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy, kWait));
        CloseHandle(copy);
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
        if (row.held) {
            CloseHandle(file);
            EXPECT_EQ(Joined({ row.held }), Joined(ListFolder(m_inst)));
            ExpectScheduledForDeletion(held);
            ExpectScheduledForDeletion(m_inst);
            m_scheduled.push_back(held);
            m_scheduled.push_back(m_inst);
            DeleteFileA(held.c_str());
            RemoveDirectoryA(m_inst.c_str());
        }
    }
}

// A removal copy cut off at its start (a tool's time limit, a crash), even one that leaves exit
// code 0, is a failed uninstall: the waiting uninstaller ends with 1603, not with a success and not
// never. The uninstall entry is still there, and running its command again removes everything.
TEST_F(RoundTrip, ACutOffRemovalFailsAndTheEntryRunsItAgain)
{
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    ChildProcess uninstaller = StartUninstaller("-s");
    ProcessEntry entry = WaitForTemporaryCopy(uninstaller.id, kWait);
    HANDLE copy = entry.id ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, entry.id) : nullptr;
    ASSERT_NE(nullptr, copy) << "no temporary copy to cut off";
    m_scheduled.push_back(ProcessImagePath(copy));
    ASSERT_TRUE(TerminateProcess(copy, 0));
    WaitForSingleObject(copy, kWait);
    CloseHandle(copy);
    EXPECT_EQ(1603u, WaitForUninstaller(uninstaller));

    std::string command = RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "QuietUninstallString");
    ASSERT_NE("<missing>", command);
    ChildProcess again = StartProcess(command);
    DWORD copyId = 0;
    HANDLE secondCopy = TakeTemporaryCopy(again, &copyId);
    ASSERT_NE(nullptr, secondCopy);
    EXPECT_EQ(0u, WaitForUninstaller(again));
    ASSERT_NO_FATAL_FAILURE(ExpectCopyEnds(secondCopy, copyId));
    EXPECT_FALSE(FolderExists(m_inst)) << Joined(ListFolder(m_inst));
    ExpectNoShortcuts();
    ExpectNoRegistryEntries();
}

// Wine's own programs of the machine's native kind find the installation where Windows programs
// look for it, and nothing of it after the uninstall. A 32-bit setup on 64-bit Windows writes
// HKEY_LOCAL_MACHINE\SOFTWARE through the 32-bit view: a 64-bit reader finds it with /reg:32 or
// under Wow6432Node, the system's list and start's App Paths lookup read that view too.
TEST_F(RoundTrip, TheSystemsOwnProgramsFindTheInstallationUntilItIsRemoved)
{
    const std::string ownView = sizeof(void*) == 4 ? "/reg:32" : "/reg:64";
    const std::string uninstallKey = std::string("HKLM\\") + kUninstallEntry;
    const std::string nativeKey = RunsUnderWow64()
        ? "HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5" : uninstallKey;
    const std::string uninstaller = m_inst + "\\GlmUnInst.exe";
    ASSERT_NO_FATAL_FAILURE(InstallSilently());

    EXPECT_NE(std::string::npos, QueryWithSystemReg(uninstallKey, ownView).find(uninstaller));
    // The entry as Windows' list of programs and package managers read it: the commands quote the
    // uninstaller's path (with its blanks), the icon, the folder, the size in KB, no Change/Repair.
    std::string entry = QueryWithSystemReg(nativeKey, "");
    char kilobytes[32];
    sprintf(kilobytes, "0x%llx", (PlacedBytes(m_inst, m_pkg + "\\GlmUnInst.log") + 1023) / 1024);
    const std::pair<const char*, std::string> values[] = {
        { "UninstallString", "REG_SZ    \"" + uninstaller + "\"" },
        { "QuietUninstallString", "REG_SZ    \"" + uninstaller + "\" -s" },
        { "DisplayIcon", "REG_SZ    " + m_inst + "\\Glmr5.exe" },
        { "InstallLocation", "REG_SZ    " + m_inst },
        { "EstimatedSize", std::string("REG_DWORD    ") + kilobytes },
        { "NoModify", "REG_DWORD    0x1" },
        { "NoRepair", "REG_DWORD    0x1" },
    };
    for (const auto& value : values) EXPECT_TRUE(HasValueLine(entry, value.first, value.second)) << value.first << " in\n" << entry;
    std::string list = InstalledProgramsList();
    EXPECT_NE(std::string::npos, list.find("Glimra 5")) << "the system's list: " << list;
    DWORD started = StartByAppPaths();
    EXPECT_NE(0u, started) << "start did not find Glmr5.exe: " << ReadFileText(m_box.Path("start.txt"));
    if (HANDLE copy = started ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, started) : nullptr) {
        TerminateProcess(copy, 0);
        WaitForSingleObject(copy, kWait);
        CloseHandle(copy);
    }

    ASSERT_NO_FATAL_FAILURE(UninstallSilently());

    EXPECT_EQ(std::string::npos, QueryWithSystemReg(uninstallKey, ownView).find(uninstaller));
    EXPECT_EQ(std::string::npos, QueryWithSystemReg(nativeKey, "").find(uninstaller));
    list = InstalledProgramsList();
    EXPECT_EQ(std::string::npos, list.find("Glimra 5")) << "the system's list: " << list;
    EXPECT_EQ(0u, StartByAppPaths()) << "start still finds Glmr5.exe";
}

TEST_F(RoundTrip, AnsweredUninstallKeepsUserFilesAndAGroupWithASubFolder)
{
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    WriteFileBytes(m_inst + "\\capture 1.png", "mine");
    MakeFolders(m_folders.commonPrograms + "\\Glimra 5\\Extras");
    WriteFileBytes(m_folders.commonPrograms + "\\Glimra 5\\Extras\\tool.lnk", "x");

    ChildProcess uninstaller = StartUninstaller("");
    ASSERT_NE(nullptr, uninstaller.process);
    MessageBoxView confirm = WaitForMessageBox(uninstaller.id, kWait);
    ASSERT_NE(nullptr, confirm.window) << "no question within " << kWait << " ms";
    EXPECT_EQ(kCaption, confirm.caption);
    EXPECT_EQ(kConfirmUninstall, confirm.text);
    EXPECT_EQ(std::vector<int>({ IDYES, IDNO }), confirm.buttons);
    ASSERT_TRUE(AnswerMessageBox(confirm, IDYES, kWait));

    DWORD copyId = 0;
    HANDLE copy = TakeTemporaryCopy(uninstaller, &copyId);
    ASSERT_NE(nullptr, copy) << "no uni*.tmp process was started by the uninstaller";
    std::string copyPath = m_scheduled.back();
    // The uninstaller ends with the outcome before the copy says it.
    EXPECT_EQ(0u, WaitForUninstaller(uninstaller));
    MessageBoxView done = WaitForMessageBox(copyId, kWait);
    EXPECT_NE(nullptr, done.window) << "no closing message from the temporary copy";
    if (done.window) {
        EXPECT_EQ(kCaption, done.caption);
        EXPECT_EQ(kUninstalled, done.text);
        EXPECT_EQ(std::vector<int>({ IDOK }), done.buttons);
        // By the time the message shows, the uninstall has run.
        EXPECT_FALSE(FileExists(m_inst + "\\Glmr5.exe"));
        EXPECT_TRUE(AnswerMessageBox(done, IDOK, kWait));
    }
    ASSERT_NO_FATAL_FAILURE(ExpectCopyEnds(copy, copyId));

    EXPECT_EQ(Joined({ "capture 1.png" }), Joined(ListFolder(m_inst)));
    EXPECT_EQ("mine", ReadFileText(m_inst + "\\capture 1.png"));
    EXPECT_EQ(Joined({ "Extras" }), Joined(ListFolder(m_folders.commonPrograms + "\\Glimra 5")));
    EXPECT_TRUE(FileExists(m_folders.commonPrograms + "\\Glimra 5\\Extras\\tool.lnk"));
    ExpectNoShortcuts();
    ExpectNoRegistryEntries();
    ExpectScheduledForDeletion(copyPath);
}

TEST_F(RoundTrip, NoToTheQuestionChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    ChildProcess uninstaller = StartUninstaller("");
    ASSERT_NE(nullptr, uninstaller.process);
    MessageBoxView confirm = WaitForMessageBox(uninstaller.id, kWait);
    ASSERT_NE(nullptr, confirm.window) << "no question within " << kWait << " ms";
    EXPECT_EQ(kConfirmUninstall, confirm.text);
    ASSERT_TRUE(AnswerMessageBox(confirm, IDNO, kWait));
    EXPECT_TRUE(WaitForExit(uninstaller, kWait)) << "the uninstaller still runs after No";
    EXPECT_EQ(0u, WaitForTemporaryCopy(uninstaller.id, 0).id) << "a temporary copy was started after No";
    EndProcess(uninstaller);
    // Give a copy that was started all the same the time to do harm.
    Sleep(1500);
    ExpectEverythingInstalled();
    std::string list = InstalledProgramsList();
    EXPECT_NE(std::string::npos, list.find("Glimra 5")) << list;
}

TEST_F(RoundTrip, RemovalRunForAMissingUninstallerStillUninstallsItsFolder)
{
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
    ASSERT_TRUE(DeleteFileA((m_inst + "\\GlmUnInst.exe").c_str()));
    std::string remover = m_box.Path("remover\\remover copy.exe");
    MakeFolders(m_box.Path("remover"));
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), remover.c_str(), FALSE));
    m_scheduled.push_back(remover);

    std::string command = QuoteArgument(remover) + " -delself " + QuoteArgument(m_inst + "\\GlmUnInst.exe") + " -s";
    EXPECT_EQ(0, RunProcess(command, kWait, m_box.Root().c_str())) << command;

    EXPECT_FALSE(FolderExists(m_inst)) << Joined(ListFolder(m_inst));
    EXPECT_FALSE(FolderExists(m_folders.commonPrograms + "\\Glimra 5"));
    ExpectNoShortcuts();
    ExpectNoRegistryEntries();
    ExpectScheduledForDeletion(remover);
}

}  // namespace
}  // namespace roundtrip
