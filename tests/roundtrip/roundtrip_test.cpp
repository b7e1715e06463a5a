// The whole life of an installation: setup.exe installs the sample package silently, the
// application's own registry values and a taken-over file type are added as the application would
// leave them, then the installed GlmUnInst.exe uninstalls (asked and answered through the UI robot,
// or silently), hands over to its temporary copy, and that copy removes everything of the product.
#include <gtest/gtest.h>
#include <algorithm>
#include "files.h"
#include "package.h"
#include "processes.h"
#include "regbackup.h"
#include "robot.h"
#include "sandbox.h"

namespace {

const DWORD kWait = 20000;

const char kCaption[] = "Glimra Telepítő";
const char kConfirmUninstall[] = "Ezzel teljesen eltávolítja a Glimra 5-öt.\nValóban folytatja?";
const char kUninstalled[] = "Glimra 5 sikeresen el lett távolítva a gépről.";

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char kJpgKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.jpg";
const char kUninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe";
const char kAppLink[] = "Glimra 5.lnk";

std::string Lower(std::string text)
{
    for (char& ch : text) ch = (char)tolower((unsigned char)ch);
    return text;
}

// Copies the files of a folder and its sub-folders.
void CopyTree(const std::string& from, const std::string& to)
{
    MakeFolders(to);
    for (const std::string& name : ListFolder(from)) {
        std::string source = from + "\\" + name, target = to + "\\" + name;
        if (FolderExists(source)) CopyTree(source, target);
        else CopyFileA(source.c_str(), target.c_str(), FALSE);
    }
}

class RoundTrip : public ::testing::Test {
protected:
    Sandbox m_box{"roundtrip"};
    std::string m_pkg, m_inst;
    ShellFolderPaths m_folders;
    // The per-user file types as they were, put back after each case.
    RegKeyBackup m_fileTypes{HKEY_CURRENT_USER, kFileExts};
    // Files that processes of a case scheduled for deletion at the next start: unscheduled and
    // deleted when the case ends.
    std::vector<std::string> m_scheduled;

    void SetUp() override
    {
        ASSERT_FALSE(SetupExePath().empty());
        ASSERT_FALSE(StandInExePath().empty());
        m_folders = m_box.RedirectShellFolders();
        m_pkg = m_box.Path("pkg");
        // Blanks in both levels: the path must reach the temporary copy as one argument.
        m_inst = m_box.Path("Program Files\\Glimra 5");
        MakePackage();
    }

    void TearDown() override
    {
        RemovePendingDeletions(m_scheduled);
        for (const std::string& path : m_scheduled) DeleteFileA(path.c_str());
    }

    // The sample package with the build's setup program, uninstaller, stand-in and resource library.
    void MakePackage()
    {
        CopyTree(HostToWindowsPath(GLM_SAMPLE_PACKAGE), m_pkg);
        ASSERT_TRUE(FileExists(m_pkg + "\\GlmUnInst.log"));
        ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (m_pkg + "\\setup.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (m_pkg + "\\GlmUnInst.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(StandInExePath().c_str(), (m_pkg + "\\Glmr5.exe").c_str(), FALSE));
#ifdef GLM_RESOURCE_DLL
        ASSERT_TRUE(CopyFileA(HostToWindowsPath(GLM_RESOURCE_DLL).c_str(), (m_pkg + "\\GlmRes5.dll").c_str(), FALSE));
#endif
    }

    // setup.exe -s into the scratch "Program Files", then what the application itself leaves.
    void InstallSilently()
    {
        MakeFolders(m_box.Path("Program Files"));
        std::string command = QuoteArgument(m_pkg + "\\setup.exe") + " -s -instdir " + QuoteArgument(m_box.Path("Program Files"));
        int code = RunProcess(command, kWait, m_pkg.c_str());
        ASSERT_NE(-1, code) << "setup.exe -s did not end within " << kWait << " ms";
        for (const char* name : { "Glmr5.exe", "GlmUnInst.exe", "GlmUnInst.log", "readme.txt", "Minta\\pelda1.glm" })
            ASSERT_TRUE(FileExists(m_inst + "\\" + name)) << name << " was not installed";
        ASSERT_TRUE(FileExists(m_folders.commonPrograms + "\\Glimra 5\\" + kAppLink));
        ASSERT_TRUE(FileExists(m_folders.commonDesktop + "\\" + kAppLink));
        ASSERT_EQ(m_inst + "\\GlmUnInst.exe", RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString"));

        RegSetString(HKEY_CURRENT_USER, "Software\\Orvane\\Glimra v.5\\Capture", "LastFolder", m_inst);
        RegSetString(HKEY_CLASSES_ROOT, "Glm5.Document\\shell\\open\\command", nullptr, "\"" + m_inst + "\\Glmr5.exe\" \"%1\"");
        RegSetString(HKEY_CURRENT_USER, kJpgKey, "Application", m_inst + "\\Glmr5.exe");
        RegSetString(HKEY_CURRENT_USER, kJpgKey, "GlmrOld", "kepnezo.exe");
    }

    // The installed uninstaller started as the system's list of installed programs would start it.
    ChildProcess StartUninstaller(const std::string& arguments)
    {
        return StartProgram(RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString"), arguments);
    }

    // Finds the temporary copy the uninstaller started, lets the uninstaller end, and returns a
    // handle to the copy (null when there is none); its image path is scheduled for clean-up.
    HANDLE TakeTemporaryCopy(ChildProcess& uninstaller, DWORD* copyId)
    {
        ProcessEntry copy = WaitForTemporaryCopy(uninstaller.id, kWait);
        *copyId = copy.id;
        HANDLE process = copy.id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, copy.id) : nullptr;
        std::string image = process ? ProcessImagePath(process) : std::string();
        if (!image.empty()) m_scheduled.push_back(image);
        DWORD code = 1;
        EXPECT_TRUE(WaitForExit(uninstaller, kWait, &code)) << "the uninstaller still runs";
        EXPECT_EQ(0u, code) << "the uninstaller ends with exit code 0 when the copy has taken over";
        EndProcess(uninstaller);
        if (!process) return nullptr;

        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        EXPECT_EQ(Lower(temp), Lower(image.substr(0, strlen(temp)))) << "the copy runs from " << image;
        EXPECT_TRUE(IsTemporaryCopyName(image.substr(image.find_last_of('\\') + 1))) << image;
        return process;
    }

    // The installed uninstaller run with "-s": it hands over to its temporary copy, which ends.
    void UninstallSilently()
    {
        ChildProcess uninstaller = StartUninstaller("-s");
        ASSERT_NE(nullptr, uninstaller.process);
        DWORD copyId = 0;
        HANDLE copy = TakeTemporaryCopy(uninstaller, &copyId);
        ASSERT_NE(nullptr, copy) << "no uni*.tmp process was started by the uninstaller";
        ASSERT_NO_FATAL_FAILURE(ExpectCopyEnds(copy, copyId));
    }

    // Waits for the copy to end with exit code 0; a message box still open is reported.
    void ExpectCopyEnds(HANDLE copy, DWORD copyId)
    {
        if (WaitForSingleObject(copy, kWait) != WAIT_OBJECT_0) {
            MessageBoxView box = WaitForMessageBox(copyId, 0);
            TerminateProcess(copy, 255);
            WaitForSingleObject(copy, 5000);
            CloseHandle(copy);
            FAIL() << "the temporary copy still runs; message box on screen: \"" << box.text << "\"";
        }
        DWORD code = 12345;
        GetExitCodeProcess(copy, &code);
        CloseHandle(copy);
        EXPECT_EQ(0u, code) << "exit code of the removal run";
    }

    // The copy's own file is listed for deletion at the next start.
    void ExpectScheduledForDeletion(const std::string& path)
    {
        std::vector<std::string> pending = PendingRenameSources();
        bool listed = std::any_of(pending.begin(), pending.end(),
                                  [&](const std::string& p) { return Lower(p) == Lower(path); });
        EXPECT_TRUE(listed) << path << " is not in PendingFileRenameOperations: " << Joined(pending);
    }

    // The system's list of installed programs, as Wine's own uninstaller of the machine's native
    // kind shows it (the 64-bit one under WoW64 reads both registry views).
    std::string InstalledProgramsList()
    {
        return RunCapturingOutput(QuoteArgument(NativeSystemProgram("uninstaller.exe")) + " --list",
                                  m_box.Path("programs.txt"), kWait);
    }

    // What Wine's own reg of the machine's native kind prints for a key; view "/reg:32" or
    // "/reg:64" reads that view, "" the reader's own.
    std::string QueryWithSystemReg(const std::string& key, const std::string& view)
    {
        return RunCapturingOutput(QuoteArgument(NativeSystemProgram("reg.exe")) + " query " + QuoteArgument(key) +
                                  (view.empty() ? "" : " " + view), m_box.Path("reg.txt"), kWait);
    }

    // Starts "Glmr5.exe" by name only through the system's start, which finds it in App Paths, and
    // returns the id of the copy that recorded its start (0 when none did within a few seconds).
    DWORD StartByAppPaths()
    {
        std::string record = m_box.Path("started.txt");
        DeleteFileA(record.c_str());
        RunCapturingOutput(QuoteArgument(NativeSystemProgram("start.exe")) + " Glmr5.exe -hidden -record " +
                           QuoteArgument(record), m_box.Path("start.txt"), kWait);
        for (int waited = 0; waited < 5000; waited += 100) {
            for (const std::string& line : ReadLines(record))
                if (line.compare(0, 6, "start ") == 0) return (DWORD)strtoul(line.c_str() + 6, nullptr, 10);
            Sleep(100);
        }
        return 0;
    }

    // Nothing of the product is left but what the case names as kept.
    void ExpectNoRegistryEntries()
    {
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvane"));
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Orvane"));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kAppPaths));
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "Glm5.Document"));
        EXPECT_EQ("kepnezo.exe", RegString(HKEY_CURRENT_USER, kJpgKey, "Application"));
        EXPECT_EQ("<missing>", RegString(HKEY_CURRENT_USER, kJpgKey, "GlmrOld"));
        std::string list = InstalledProgramsList();
        EXPECT_EQ(std::string::npos, list.find("Glimra 5")) << list;
    }

    void ExpectNoShortcuts()
    {
        EXPECT_FALSE(FileExists(m_folders.commonDesktop + "\\" + kAppLink));
        EXPECT_FALSE(FileExists(m_folders.commonStartup + "\\" + kAppLink));
        EXPECT_FALSE(FileExists(m_folders.userDesktop + "\\" + kAppLink));
        EXPECT_FALSE(FolderExists(m_folders.userPrograms + "\\Glimra 5"));
        EXPECT_EQ(Joined({}), Joined(ListFolder(m_folders.commonDesktop)));
    }

    void ExpectEverythingInstalled()
    {
        for (const char* name : { "Glmr5.exe", "GlmUnInst.exe", "GlmUnInst.log", "readme.txt" })
            EXPECT_TRUE(FileExists(m_inst + "\\" + name)) << name;
        EXPECT_TRUE(FileExists(m_folders.commonPrograms + "\\Glimra 5\\" + kAppLink));
        EXPECT_TRUE(FileExists(m_folders.commonDesktop + "\\" + kAppLink));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kAppPaths));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvane\\Glimra v.5"));
        EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Orvane\\Glimra v.5\\Capture"));
        EXPECT_EQ(m_inst + "\\Glmr5.exe", RegString(HKEY_CURRENT_USER, kJpgKey, "Application"));
    }
};

TEST_F(RoundTrip, SilentUninstallRemovesEverythingAndSchedulesItsCopy)
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
    ASSERT_NO_FATAL_FAILURE(ExpectCopyEnds(copy, copyId));

    EXPECT_FALSE(FolderExists(m_inst)) << Joined(ListFolder(m_inst));
    EXPECT_TRUE(FolderExists(m_box.Path("Program Files")));
    EXPECT_FALSE(FolderExists(m_folders.commonPrograms + "\\Glimra 5"));
    ExpectNoShortcuts();
    ExpectNoRegistryEntries();
    ExpectScheduledForDeletion(copyPath);
    EXPECT_TRUE(FileExists(copyPath)) << "the copy's file goes at the next start, not before";
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
    EXPECT_NE(std::string::npos, QueryWithSystemReg(nativeKey, "").find(uninstaller));
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

} // namespace
