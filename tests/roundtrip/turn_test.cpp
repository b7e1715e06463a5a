// One run of the setup program at a time: a run started while another one holds the machine-wide
// turn (an installation in any mode, an uninstall) changes nothing and ends with 1618, silently or
// after saying so; two silent runs started together both end; a turn left by a killed run is free.
#include "roundtrip.h"
#include <algorithm>
#include "wizardrobot.h"
#include <thread>

namespace roundtrip {
namespace {

const DWORD kAnotherRun = 1618;
const char kAnotherRunText[] =
    "Ezen a gépen már folyamatban van a Glimra 5 egy telepítése vagy eltávolítása.\n"
    "Kérjük várja meg, amíg befejeződik, majd próbálja újra.";
const char kWizardCaption[] = "A Glimra 5 telepítése";
const char kSameVersion[] = "már telepítve van ezen a gépen";
const char kRunTurnMutex[] = "Global\\Orvane.Glimra5.SetupRun";

// What holds the turn while the second run starts.
enum Holder {
    WIZARD,              // the package's setup.exe on a fresh machine: its wizard is open
    REINSTALL_QUESTION,  // the package's setup.exe over the installation: it asks about the same version
};

struct SecondRun {
    const char* name;
    Holder holder;
    const char* program;     // "setup" (the package's) or "uninstaller" (the installed one)
    const char* arguments;
    bool saysSo;             // interactive: the message of another run, answered with OK
};

void PrintTo(const SecondRun& row, std::ostream* out) { *out << row.name; }

class Turn : public RoundTrip, public ::testing::WithParamInterface<SecondRun> {
protected:
    // Starts the holder and waits until it shows its window; the run then holds the turn.
    ChildProcess StartHolder(Holder holder)
    {
        if (holder == REINSTALL_QUESTION) InstallSilently();
        ChildProcess run = StartProgram(m_pkg + "\\setup.exe", "");
        if (holder == WIZARD) {
            EXPECT_NE(nullptr, WaitForTopWindow({ kWizardCaption, DIALOG_CLASS, run.id }, kWait)) << "no wizard";
        } else {
            MessageBoxView question = WaitForMessageBox(run.id, kWait);
            EXPECT_NE(std::string::npos, question.text.find(kSameVersion)) << question.text;
        }
        return run;
    }

    // Cancels the holder: No to its question, or Cancel in the wizard and Yes to its question.
    void CancelHolder(ChildProcess& run, Holder holder)
    {
        if (holder == WIZARD) {
            HWND frame = FindTopWindow({ kWizardCaption, DIALOG_CLASS, run.id });
            if (frame) ClickButton(frame, IDCANCEL);
            MessageBoxView confirm = WaitForQuestion(run.id, kWait);
            if (confirm.window) Answer(confirm, IDYES, kWait);
        } else {
            MessageBoxView question = WaitForMessageBox(run.id, 0);
            if (question.window) AnswerMessageBox(question, IDNO, kWait);
        }
        DWORD code = 0;
        EXPECT_TRUE(WaitForExit(run, kWait, &code)) << "the holder still runs";
        EXPECT_EQ(1602u, code) << "the holder was cancelled";
        EndProcess(run);
    }
};

TEST_P(Turn, ASecondRunChangesNothingAndEndsWith1618)
{
    const SecondRun& row = GetParam();
    ChildProcess holder = StartHolder(row.holder);
    ASSERT_FALSE(HasFatalFailure());

    std::string program = std::string(row.program) == "setup" ? QuoteArgument(m_pkg + "\\setup.exe")
                                                               : RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "UninstallString");
    ChildProcess second = StartProcess(program + " " + row.arguments);
    ASSERT_NE(nullptr, second.process) << program;
    if (row.saysSo) {
        MessageBoxView box = WaitForMessageBox(second.id, kWait);
        EXPECT_EQ("Glimra Telepítő", box.caption);
        EXPECT_EQ(kAnotherRunText, box.text);
        EXPECT_EQ(std::vector<int>({ IDOK }), box.buttons);
        if (box.window) EXPECT_TRUE(AnswerMessageBox(box, IDOK, kWait));
    }
    DWORD code = 0;
    EXPECT_TRUE(WaitForExit(second, kWait, &code)) << "the second run still runs: \"" << WaitForMessageBox(second.id, 0).text << "\"";
    EXPECT_EQ(kAnotherRun, code);
    EXPECT_EQ(0u, WaitForTemporaryCopy(second.id, 0).id) << "the second run started a removal copy";
    EndProcess(second);

    // The holder was neither asked about nor closed: it still shows its window.
    EXPECT_TRUE(IsRunning(holder)) << "the second run ended the first";
    CancelHolder(holder, row.holder);
    if (row.holder == WIZARD) {
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry)) << "the second run installed";
        EXPECT_FALSE(FolderExists(m_inst));
    } else {
        ExpectEverythingInstalled();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Turn,
    ::testing::Values(SecondRun{ "SilentSetupWhileTheWizardIsOpen", WIZARD, "setup", "-s", false },
                      SecondRun{ "SetupWhileTheWizardIsOpen", WIZARD, "setup", "", true },
                      SecondRun{ "SilentUninstallWhileAnInstallationAsks", REINSTALL_QUESTION, "uninstaller", "-s", false }),
    [](const ::testing::TestParamInfo<SecondRun>& info) { return std::string(info.param.name); });

// Two silent installations started together, as a deployment tool may: neither counts the other as
// a running copy of the application nor asks about it; both end, one installs, the other installs
// after it or finds the turn taken, and the installation is whole.
TEST_F(RoundTrip, TwoSilentInstallationsStartedTogetherBothEnd)
{
    MakeFolders(m_box.Path("Program Files"));
    std::string command = QuoteArgument(m_pkg + "\\setup.exe") + " -s -instdir " + QuoteArgument(m_box.Path("Program Files"));
    ChildProcess first = StartProcess(command, m_pkg.c_str());
    ChildProcess second = StartProcess(command, m_pkg.c_str());
    DWORD codes[2] = { 12345, 12345 };
    EXPECT_TRUE(WaitForExit(first, kWait, &codes[0])) << "the first still runs: \"" << WaitForMessageBox(first.id, 0).text << "\"";
    EXPECT_TRUE(WaitForExit(second, kWait, &codes[1])) << "the second still runs: \"" << WaitForMessageBox(second.id, 0).text << "\"";
    EndProcess(first);
    EndProcess(second);
    std::sort(codes, codes + 2);
    EXPECT_EQ(0u, codes[0]);
    EXPECT_TRUE(codes[1] == 0 || codes[1] == kAnotherRun) << codes[1];
    for (const char* name : { "Glmr5.exe", "GlmUnInst.exe", "readme.txt", "Minta\\pelda1.glm" })
        EXPECT_EQ(ReadFileBytes(m_pkg + "\\" + name), ReadFileBytes(m_inst + "\\" + name)) << name;
    std::string script = ReadFileBytes(m_pkg + "\\GlmUnInst.log");
    EXPECT_EQ(script, ReadFileBytes(m_inst + "\\GlmUnInst.log").substr(0, script.size()));
    EXPECT_EQ("\"" + m_inst + "\\GlmUnInst.exe\" -s", RegString(HKEY_LOCAL_MACHINE, kUninstallEntry, "QuietUninstallString"));
}

// A run that is killed leaves its mutex abandoned, and an abandoned mutex is free: the next run
// takes the turn and installs.
TEST_F(RoundTrip, ATurnLeftByAKilledRunIsFree)
{
    std::thread killed([] {
        HANDLE mutex = CreateMutexA(nullptr, TRUE, kRunTurnMutex);
        EXPECT_NE(nullptr, mutex);
        // The thread ends owning it, as a killed run's thread does.
    });
    killed.join();
    ASSERT_NO_FATAL_FAILURE(InstallSilently());
}

}  // namespace
}  // namespace roundtrip
