// The fixture of the round-trip tests: the sample package with the build's programs in a sandbox,
// its silent installation into a scratch "Program Files" with what the application itself adds,
// the installed uninstaller started as the system's list of programs starts it, its temporary
// copy, and what is left afterwards.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include "files.h"
#include "package.h"
#include "processes.h"
#include "regbackup.h"
#include "robot.h"
#include "sandbox.h"

namespace roundtrip {

const DWORD kWait = 20000;

const char kCaption[] = "Glimra Telepítő";
const char kConfirmUninstall[] = "Ezzel teljesen eltávolítja a Glimra 5-öt.\nValóban folytatja?";
const char kUninstalled[] = "Glimra 5 sikeresen el lett távolítva a gépről.";

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char kJpgKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.jpg";
const char kUninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Glmr5.exe";
const char kAppLink[] = "Glimra 5.lnk";

inline std::string Lower(std::string text)
{
    for (char& ch : text) ch = (char)tolower((unsigned char)ch);
    return text;
}

// Copies the files of a folder and its sub-folders.
inline void CopyTree(const std::string& from, const std::string& to)
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
        std::string log = m_box.Path("install.log");
        std::string command = QuoteArgument(m_pkg + "\\setup.exe") + " -s -instdir " + QuoteArgument(m_box.Path("Program Files")) +
                              " -log " + QuoteArgument(log);
        int code = RunProcess(command, kWait, m_pkg.c_str());
        ASSERT_EQ(0, code) << "setup.exe -s (-1: it did not end within " << kWait << " ms); its log:\n" << ReadFileText(log);
        for (const char* name : { "Glmr5.exe", "GlmUnInst.exe", "GlmUnInst.log", "readme.txt", "Minta\\pelda1.glm" })
            ASSERT_TRUE(FileExists(m_inst + "\\" + name)) << name << " was not installed";
        ASSERT_TRUE(FileExists(m_folders.commonPrograms + "\\Glimra 5\\" + kAppLink));
        ASSERT_TRUE(FileExists(m_folders.commonDesktop + "\\" + kAppLink));
        ASSERT_EQ("\"" + m_inst + "\\GlmUnInst.exe\"", RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString"));

        RegSetString(HKEY_CURRENT_USER, "Software\\Orvane\\Glimra v.5\\Capture", "LastFolder", m_inst);
        RegSetString(HKEY_CLASSES_ROOT, "Glm5.Document\\shell\\open\\command", nullptr, "\"" + m_inst + "\\Glmr5.exe\" \"%1\"");
        RegSetString(HKEY_CURRENT_USER, kJpgKey, "Application", m_inst + "\\Glmr5.exe");
        RegSetString(HKEY_CURRENT_USER, kJpgKey, "GlmrOld", "kepnezo.exe");
    }

    // The installed uninstaller started as the system's list of installed programs starts it: its
    // command line as the entry gives it, with the arguments after it; its current folder is the
    // installation folder, which it must not keep from being removed.
    ChildProcess StartUninstaller(const std::string& arguments)
    {
        return StartProcess(RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString") + " " + arguments, m_inst.c_str());
    }

    // Finds the temporary copy the uninstaller started while the uninstaller waits for it, and
    // returns a handle to it (null when there is none); its image path is scheduled for clean-up.
    HANDLE TakeTemporaryCopy(ChildProcess& uninstaller, DWORD* copyId)
    {
        ProcessEntry copy = WaitForTemporaryCopy(uninstaller.id, kWait);
        *copyId = copy.id;
        HANDLE process = copy.id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, copy.id) : nullptr;
        std::string image = process ? ProcessImagePath(process) : std::string();
        if (!image.empty()) m_scheduled.push_back(image);
        if (!process) return nullptr;

        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        EXPECT_EQ(Lower(temp), Lower(image.substr(0, strlen(temp)))) << "the copy runs from " << image;
        EXPECT_TRUE(IsTemporaryCopyName(image.substr(image.find_last_of('\\') + 1))) << image;
        return process;
    }

    // Waits for the uninstaller, which the copy ends with the outcome of the removal; its exit code
    // as GetExitCodeProcess reads it (12345 when it did not end in time).
    DWORD WaitForUninstaller(ChildProcess& uninstaller)
    {
        DWORD code = 12345;
        EXPECT_TRUE(WaitForExit(uninstaller, kWait, &code)) << "the uninstaller still runs";
        EndProcess(uninstaller);
        return code;
    }

    // The installed uninstaller run with "-s": it hands over to its temporary copy, which ends.
    void UninstallSilently()
    {
        ChildProcess uninstaller = StartUninstaller("-s");
        ASSERT_NE(nullptr, uninstaller.process);
        DWORD copyId = 0;
        HANDLE copy = TakeTemporaryCopy(uninstaller, &copyId);
        ASSERT_NE(nullptr, copy) << "no uni*.tmp process was started by the uninstaller";
        EXPECT_EQ(0u, WaitForUninstaller(uninstaller));
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

}  // namespace roundtrip
