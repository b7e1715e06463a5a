// Bad conditions met by setup.exe started as a real process, one row each: a registered copy of
// the application that ignores WM_CLOSE (install with "-install /s", and uninstall mode), and the
// removal run with "-delself" and a quoted uninstaller path holding blanks. Every row: the run
// ends within its time, with the row's exit code, no message box left open, and what
// the row names changed and nothing else.
#include <gtest/gtest.h>
#include <algorithm>
#include "package.h"
#include "processes.h"
#include "robot.h"
#include "sandbox.h"

namespace {

const DWORD kWait = 20000;
const char kUninstallEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5";

void CopyTree(const std::string& from, const std::string& to)
{
    MakeFolders(to);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from + "\\" + name, to + "\\" + name);
        else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct RunRow {
    std::string name;
    std::string setupName;   // setup.exe copied under this name into the row's folder; empty: the
                             // installed uninstaller, which hands over to its temporary copy
    std::string arguments;   // "<inst>" stands for the quoted uninstaller path of an installation
    bool stubbornCopy;       // a stand-in copy that ignores WM_CLOSE runs
    bool installFirst;       // the sample package is installed silently first
    int exitCode;            // -2: any
    std::string messageStart;  // the beginning of the one message box answered with OK; empty: none
    bool installationGone;
};

void PrintTo(const RunRow& row, std::ostream* out) { *out << row.name; }

class HardRun : public ::testing::TestWithParam<RunRow> {
protected:
    Sandbox m_box{"hardruns"};
    std::string m_pkg, m_inst;
    std::vector<std::string> m_scheduled;

    void SetUp() override
    {
        ASSERT_FALSE(SetupExePath().empty());
        ASSERT_FALSE(StandInExePath().empty());
        m_box.RedirectShellFolders();
        m_pkg = m_box.Path("pkg");
        m_inst = m_box.Path("Program Files\\Glimra 5");
        MakeFolders(m_pkg);
    }
    void TearDown() override
    {
        RemovePendingDeletions(m_scheduled);
        for (const std::string& path : m_scheduled) DeleteFileA(path.c_str());
    }

    void InstallSilently()
    {
        CopyTree(HostToWindowsPath(GLM_SAMPLE_PACKAGE), m_pkg);
        ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (m_pkg + "\\setup.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (m_pkg + "\\GlmUnInst.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(StandInExePath().c_str(), (m_pkg + "\\Glmr5.exe").c_str(), FALSE));
        MakeFolders(m_box.Path("Program Files"));
        std::string command = QuoteArgument(m_pkg + "\\setup.exe") + " -s -instdir " + QuoteArgument(m_box.Path("Program Files"));
        ASSERT_EQ(0, RunProcess(command, kWait, m_pkg.c_str())) << command;
        ASSERT_TRUE(FileExists(m_inst + "\\GlmUnInst.exe"));
        ASSERT_TRUE(FileExists(m_inst + "\\Glmr5.exe"));
    }
};

TEST_P(HardRun, EndsQuietlyWithinItsTime)
{
    const RunRow& row = GetParam();
    if (row.installFirst) ASSERT_NO_FATAL_FAILURE(InstallSilently());

    StandIn stubborn;
    if (row.stubbornCopy) {
        std::string exe = m_box.Path("apps\\Glmr5.exe");
        MakeFolders(m_box.Path("apps"));
        ASSERT_TRUE(CopyFileA(StandInExePath().c_str(), exe.c_str(), FALSE));
        stubborn = StartStandIn(exe, m_box.Path("apps\\record.txt"), "-ignoreclose");
        ASSERT_NE(nullptr, stubborn.process.process) << "the stand-in did not start";
    }

    // The program under test runs from a folder of its own under its row's name.
    std::string runner = m_inst + "\\GlmUnInst.exe";
    if (!row.setupName.empty()) {
        runner = m_box.Path("runner\\" + row.setupName);
        MakeFolders(m_box.Path("runner"));
        ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), runner.c_str(), FALSE));
        m_scheduled.push_back(runner);
    }
    std::string arguments = row.arguments;
    size_t at = arguments.find("<inst>");
    if (at != std::string::npos) arguments.replace(at, 6, QuoteArgument(m_inst + "\\GlmUnInst.exe"));
    ChildProcess setup = StartProgram(runner, arguments);
    ASSERT_NE(nullptr, setup.process) << "could not start " << runner;

    if (!row.messageStart.empty()) {
        MessageBoxView message = WaitForMessageBox(setup.id, kWait);
        EXPECT_EQ(0u, message.text.find(row.messageStart)) << "message: \"" << message.text << "\"";
        if (message.window) EXPECT_TRUE(AnswerMessageBox(message, IDOK, kWait));
    }
    HANDLE copy = nullptr;
    if (row.setupName.empty()) {
        ProcessEntry entry = WaitForTemporaryCopy(setup.id, kWait);
        EXPECT_NE(0u, entry.id) << "no temporary copy was started";
        copy = entry.id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, entry.id) : nullptr;
        if (copy) m_scheduled.push_back(ProcessImagePath(copy));
    }
    DWORD code = 12345;
    bool ended = WaitForExit(setup, kWait, &code);
    if (copy) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy, kWait)) << "the temporary copy still runs";
        TerminateProcess(copy, 255);
        CloseHandle(copy);
    }
    std::string open = ended ? std::string() : WaitForMessageBox(setup.id, 0).text;
    EndProcess(setup);
    ASSERT_TRUE(ended) << "setup still runs; message box on screen: \"" << open << "\"";
    if (row.exitCode != -2) EXPECT_EQ((DWORD)row.exitCode, code);

    if (row.stubbornCopy) {
        EXPECT_TRUE(WaitForExit(stubborn.process, kWait)) << "the copy that ignores WM_CLOSE still runs";
        std::vector<std::string> record = StandInRecord(stubborn);
        EXPECT_NE(record.end(), std::find(record.begin(), record.end(), "WM_CLOSE 1001"))
            << "the copy was not asked to close first";
        EndProcess(stubborn.process);
    }
    if (row.installFirst) {
        EXPECT_EQ(row.installationGone, !FolderExists(m_inst)) << m_inst;
        EXPECT_EQ(row.installationGone, RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString") == "<missing>");
    }
}

const char kDamaged[] = "A telepítő fájl sérült";

INSTANTIATE_TEST_SUITE_P(
    Rows, HardRun,
    ::testing::Values(
        // The package holds no install script: after the copies are ended, the damaged-package message.
        RunRow{ "StubbornCopyInstallSilent", "setup.exe", "-install /s", true, false, 1, kDamaged, false },
        RunRow{ "StubbornCopyUninstallSilent", "", "-s", true, true, 0, "", true },
        RunRow{ "DelselfQuotedPathWithBlanks", "uni3A.tmp", "-delself <inst> -s", false, true, 0, "", true }),
    [](const ::testing::TestParamInfo<RunRow>& info) { return info.param.name; });

}  // namespace
