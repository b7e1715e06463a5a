// setup.exe started as a child process: the mode, the uninstall question and the running-copy
// questions, read and answered through the UI robot; the stand-in Glmr5.exe copies record the
// close request they receive.
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include "package.h"
#include "processes.h"
#include "robot.h"
#include "engine/names.h"
#include "instance/instance.h"

namespace {

const DWORD kWait = 10000;
const DWORD kAnyExitCode = 0xFFFFFFFF;

const char kCaption[] = "Glimra Telepítő";
const char kOneCopy[] =
    "A Glimra egy példánya jelenleg is fut.\nAmennyiben az \"Igen\" gombot választja, a TELEPÍTŐ "
    "megpróbálja bezárni azt, mely az esetleges módosítások elvesztését okozhatja.\n\nFolytatja a telepítést?";
const char kStopped[] =
    "A Glimra telepítése megszakadt. Kérjük zárja be a Glimra másik futó példányát, az esetleges "
    "változások mentése után, majd indítsa újra a telepítőt.";
const char kConfirmUninstall[] = "Ezzel teljesen eltávolítja a Glimra 5-öt.\nValóban folytatja?";

std::string CopiesRunning(int count)
{
    return std::to_string(count) +
           " példányban fut jelenleg a Glimra. Amennyiben az \"Igen\" gombot választja, a TELEPÍTŐ "
           "megpróbálja bezárni az esetleges változtatások mentése nélkül. \n\nFolytatja a telepítést?";
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    for (const std::string& l : lines)
        if (l == line) return true;
    return false;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& l : lines) all += "[" + l + "]";
    return all;
}

class StartupE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(SetupExePath().empty());
        ASSERT_FALSE(StandInExePath().empty());
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_package.reset(new TestPackage("e2e", info->name()));
    }

    void TearDown() override
    {
        // An uninstall's temporary copy says at its end what it removed; it holds the run's turn
        // until it is answered.
        if (m_setup.id) EndTemporaryCopy(m_setup.id, kWait);
        EndProcess(m_setup);
        for (StandIn& copy : m_copies) EndProcess(copy.process);
        m_package.reset();
    }

    // Starts count copies of the stand-in from the package, each with its own record.
    void StartCopies(int count, const std::string& arguments = std::string())
    {
        std::string exe = m_package->PathOf("Glmr5.exe");
        if (!FileExists(exe)) ASSERT_EQ(exe, m_package->AddStandIn());
        for (int i = 0; i < count; ++i) {
            std::string record = m_package->PathOf("copy" + std::to_string(m_copies.size() + 1) + ".txt");
            m_copies.push_back(StartStandIn(exe, record, "-doc Minta" + std::to_string(i + 1) + " " + arguments));
            ASSERT_NE(nullptr, m_copies.back().process.process) << "stand-in copy " << i + 1 << " did not start";
        }
    }

    // Copies setup.exe into the package under the name and starts it with the arguments.
    void StartSetup(const std::string& name, const std::string& arguments = std::string())
    {
        EndProcess(m_setup);
        std::string exe = m_package->AddSetup(name);
        ASSERT_FALSE(exe.empty()) << "could not copy setup.exe as " << name;
        m_setup = StartProgram(exe, arguments);
        ASSERT_NE(nullptr, m_setup.process) << "could not start " << exe;
    }

    // The next message box of the setup, checked for caption, text and buttons.
    MessageBoxView ExpectBox(const std::string& text, std::vector<int> buttons, int defaultButton)
    {
        MessageBoxView box = WaitForMessageBox(m_setup.id, kWait);
        EXPECT_NE(nullptr, box.window) << "no message box within " << kWait << " ms";
        if (!box.window) return box;
        EXPECT_EQ(kCaption, box.caption);
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(buttons, box.buttons);
        EXPECT_EQ(defaultButton, box.defaultButton);
        return box;
    }

    void Answer(const MessageBoxView& box, int button)
    {
        if (box.window) EXPECT_TRUE(AnswerMessageBox(box, button, kWait)) << "the box stayed after button " << button;
    }

    // The setup ends without showing anything more, with the given exit code when one is given.
    void ExpectSetupEnds(DWORD expectedExitCode = kAnyExitCode)
    {
        DWORD code = 12345;
        bool ended = WaitForExit(m_setup, kWait, &code);
        if (!ended) {
            MessageBoxView box = WaitForMessageBox(m_setup.id, 0);
            FAIL() << "setup still runs; message box on screen: \"" << box.text << "\"";
        }
        if (expectedExitCode != kAnyExitCode) EXPECT_EQ(expectedExitCode, code);
    }

    // Install mode hands over to the installation run. The test package holds no install script,
    // so that run stops at once with the damaged-package message and exit code 1.
    void ExpectInstallRun()
    {
        MessageBoxView box = WaitForMessageBox(m_setup.id, kWait);
        ASSERT_NE(nullptr, box.window) << "no damaged-package message within " << kWait << " ms";
        EXPECT_EQ(0u, box.text.find("A telepítő fájl sérült")) << box.text;
        Answer(box, IDOK);
        ExpectSetupEnds(1);
    }

    // The copies are gone; returns those that had not recorded the close request first.
    std::string CopiesGoneWithoutRequest()
    {
        std::string missing;
        for (size_t i = 0; i < m_copies.size(); ++i) {
            EXPECT_TRUE(WaitForExit(m_copies[i].process, kWait)) << "copy " << i + 1 << " still runs";
            std::vector<std::string> record = StandInRecord(m_copies[i]);
            if (!Contains(record, "WM_CLOSE 1001"))
                missing += " copy " + std::to_string(i + 1) + " recorded " + Join(record);
        }
        return missing;
    }

    void EndCopies()
    {
        for (StandIn& copy : m_copies) EndProcess(copy.process);
        m_copies.clear();
    }

    // Starts count copies, runs the setup scenario and expects every copy to have received
    // WM_CLOSE 1001 and to be gone.
    template <class Scenario>
    void ExpectCopiesClosedBy(int count, Scenario runSetup)
    {
        StartCopies(count);
        if (HasFatalFailure()) return;
        runSetup();
        std::string missing = CopiesGoneWithoutRequest();
        EXPECT_EQ("", missing) << "copies without WM_CLOSE 1001";
        EndCopies();
    }

    void ExpectCopiesRunning()
    {
        for (size_t i = 0; i < m_copies.size(); ++i) {
            EXPECT_TRUE(IsRunning(m_copies[i].process)) << "copy " << i + 1 << " has ended";
            std::vector<std::string> record = StandInRecord(m_copies[i]);
            for (const std::string& line : record)
                EXPECT_NE(0u, line.rfind("WM_CLOSE", 0)) << "copy " << i + 1 << " recorded " << line;
        }
    }

    std::unique_ptr<TestPackage> m_package;
    ChildProcess m_setup;
    std::vector<StandIn> m_copies;
};

// --- install mode: the running-copy questions ---

TEST_F(StartupE2E, InstallWithNoOtherCopyAsksNothing)
{
    StartSetup("setup.exe");
    ExpectInstallRun();
}

TEST_F(StartupE2E, InstallWithOneCopyAsksMessage1AndYesClosesIt)
{
    ExpectCopiesClosedBy(1, [&] {
        StartSetup("setup.exe");
        Answer(ExpectBox(kOneCopy, {IDYES, IDNO}, IDYES), IDYES);
        ExpectInstallRun();
    });
}

TEST_F(StartupE2E, InstallWithTwoCopiesAsksMessage4WithTheNumberAndYesClosesBoth)
{
    ExpectCopiesClosedBy(2, [&] {
        StartSetup("setup.exe");
        Answer(ExpectBox(CopiesRunning(2), {IDYES, IDNO}, IDYES), IDYES);
        ExpectInstallRun();
    });
}

TEST_F(StartupE2E, ACopyRegisteredAfterTheSetupIsClosedToo)
{
    ExpectCopiesClosedBy(1, [&] {
        StartSetup("setup.exe");
        MessageBoxView box = ExpectBox(kOneCopy, {IDYES, IDNO}, IDYES);
        StartCopies(1);  // registered after the setup: the list is copy, setup, copy
        Answer(box, IDYES);
        ExpectInstallRun();
    });
}

TEST_F(StartupE2E, NoToMessage1ShowsMessage3AndLeavesTheCopyRunning)
{
    StartCopies(1);
    StartSetup("setup.exe");
    Answer(ExpectBox(kOneCopy, {IDYES, IDNO}, IDYES), IDNO);
    Answer(ExpectBox(kStopped, {IDOK}, IDOK), IDOK);
    ExpectSetupEnds(1602);
    ExpectCopiesRunning();
}

TEST_F(StartupE2E, NoToMessage4ShowsMessage3AndLeavesBothCopiesRunning)
{
    StartCopies(2);
    StartSetup("setup.exe");
    Answer(ExpectBox(CopiesRunning(2), {IDYES, IDNO}, IDYES), IDNO);
    Answer(ExpectBox(kStopped, {IDOK}, IDOK), IDOK);
    ExpectSetupEnds(1602);
    ExpectCopiesRunning();
}

TEST_F(StartupE2E, SilentSwitchAsFirstArgumentStillAsksMessage1)
{
    ExpectCopiesClosedBy(1, [&] {
        StartSetup("setup.exe", "-s");
        Answer(ExpectBox(kOneCopy, {IDYES, IDNO}, IDYES), IDYES);
        ExpectInstallRun();
    });
}

TEST_F(StartupE2E, SlashSAsFirstArgumentStillAsksMessage4)
{
    StartCopies(2);
    StartSetup("setup.exe", "/s");
    Answer(ExpectBox(CopiesRunning(2), {IDYES, IDNO}, IDYES), IDNO);
    Answer(ExpectBox(kStopped, {IDOK}, IDOK), IDOK);
    ExpectSetupEnds(1602);
    ExpectCopiesRunning();
}

TEST_F(StartupE2E, DashSAsSecondArgumentClosesTheCopyWithoutAsking)
{
    ExpectCopiesClosedBy(1, [&] {
        StartSetup("setup.exe", "-install -S");
        ExpectInstallRun();
    });
}

TEST_F(StartupE2E, SlashSAsSecondArgumentClosesBothCopiesWithoutAsking)
{
    ExpectCopiesClosedBy(2, [&] {
        StartSetup("setup.exe", "x /s");
        ExpectInstallRun();
    });
}

// --- what is closed, and how ---

// A copy busy with its close request (saving a file) gets time to end by itself; one that ignores
// the request is terminated when that time is up.
TEST_F(StartupE2E, ACopyThatTakesASecondToCloseEndsByItself)
{
    StartCopies(1, "-closedelay 1000");
    StartSetup("setup.exe", "-install -s");
    ExpectInstallRun();
    EXPECT_TRUE(WaitForExit(m_copies[0].process, kWait)) << "the copy still runs";
    std::vector<std::string> record = StandInRecord(m_copies[0]);
    EXPECT_TRUE(Contains(record, "closed")) << "the copy was cut off after " << Join(record);
}

TEST_F(StartupE2E, ACopyThatIgnoresTheRequestIsTerminated)
{
    StartCopies(1, "-ignoreclose");
    StartSetup("setup.exe", "-install -s");
    ExpectInstallRun();
    EXPECT_TRUE(WaitForExit(m_copies[0].process, kWait)) << "the copy still runs";
    EXPECT_TRUE(Contains(StandInRecord(m_copies[0]), "WM_CLOSE 1001")) << Join(StandInRecord(m_copies[0]));
}

// Process ids are reused and anyone can write into the shared list: a listed process that is not
// a copy of the application or of the setup program is left running, and its entry is dropped.
TEST_F(StartupE2E, AListedProgramThatIsNotOursSurvives)
{
    struct Row {
        const char* name;
        const char* arguments;
        bool asks;      // install mode without the switch: IDS_ONE_COPY_RUNNING, answered Yes
        bool install;   // install mode: the installation run follows
    };
    const Row rows[] = {
        { "setup.exe", "", true, true },
        { "setup.exe", "-install -s", false, true },
        { "GlmUnInst.exe", "-s", false, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.arguments);
        ChildProcess other = StartProcess("notepad.exe");
        ASSERT_NE(nullptr, other.process) << "notepad.exe did not start";
        {
            // The list as another program could have left it: the other program's id, not ours.
            CInstanceManager list(INSTANCE_REGISTRY_NAME, 1024);
            list.RemoveInstance(GetCurrentProcessId());
            list.AddInstance(other.id);
            StartSetup(row.name, row.arguments);
            if (row.asks) Answer(ExpectBox(kOneCopy, {IDYES, IDNO}, IDYES), IDYES);
            if (row.install) ExpectInstallRun();
            else ExpectSetupEnds();
            EXPECT_TRUE(IsRunning(other)) << "the setup ended a program that is not ours";
            CDWordArray ids;
            ASSERT_TRUE(list.GetInstanceIds(ids));
            for (int i = 0; i < ids.GetSize(); ++i) EXPECT_NE(other.id, ids[i]) << "its entry is still listed";
            list.RemoveInstance(other.id);
        }
        EndProcess(other);
        EndProcess(m_setup);
    }
}

// --- uninstall mode ---

// The temporary files named like the uninstaller's copy (uni*.tmp) in the temporary folder.
std::set<std::string> TemporaryCopyFiles()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(temp) + "uni*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName); while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// When the temporary copy cannot be made (here the uninstaller's own file was moved away while it
// asked), the uninstaller ends without leaving the temporary file it had reserved.
TEST_F(StartupE2E, AFailedHandOverLeavesNoTemporaryFile)
{
    std::set<std::string> before = TemporaryCopyFiles();
    StartSetup("GlmUnInst.exe");
    MessageBoxView box = ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO);
    std::string exe = m_package->PathOf("GlmUnInst.exe");
    ASSERT_TRUE(MoveFileA(exe.c_str(), (exe + ".moved").c_str()));
    Answer(box, IDYES);
    ExpectSetupEnds(1603);
    EXPECT_EQ(before, TemporaryCopyFiles());
}

TEST_F(StartupE2E, UninstallAsksMessage6AndNoEndsWithNothingChanged)
{
    StartCopies(2);
    StartSetup("GlmUnInst.exe");
    Answer(ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO), IDNO);
    ExpectSetupEnds(1602);
    ExpectCopiesRunning();
}

TEST_F(StartupE2E, UninstallYesClosesOneCopyWithoutAFurtherQuestion)
{
    ExpectCopiesClosedBy(1, [&] {
        StartSetup("GlmUnInst.exe");
        Answer(ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO), IDYES);
        ExpectSetupEnds();
    });
}

TEST_F(StartupE2E, UninstallYesClosesTwoCopiesWithoutAFurtherQuestion)
{
    ExpectCopiesClosedBy(2, [&] {
        StartSetup("GlmUnInst.exe", "/s");  // "/s" is not the silent switch: IDS_CONFIRM_UNINSTALL is still asked
        Answer(ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO), IDYES);
        ExpectSetupEnds();
    });
}

TEST_F(StartupE2E, SilentUninstallAsksNothingAndClosesTheCopies)
{
    ExpectCopiesClosedBy(2, [&] {
        StartSetup("GlmUnInst.exe", "-s");
        ExpectSetupEnds();
    });
}

TEST_F(StartupE2E, SilentUninstallWithTheSwitchSecondAsksNothing)
{
    ExpectCopiesClosedBy(1, [&] {
        StartSetup("GlmUnInst.exe", "x -S");
        ExpectSetupEnds();
    });
}

// --- the mode by file name and the first argument (no copies: install goes to the installation run, uninstall asks) ---

TEST_F(StartupE2E, NamesContainingSetupExeInstall)
{
    for (const char* name : {"GlimraSetup.EXE", "setup.exe.bak.exe", "setup.exe\\GlmUnInst.exe"}) {
        SCOPED_TRACE(name);
        StartSetup(name);
        ExpectInstallRun();
        EndProcess(m_setup);
    }
}

TEST_F(StartupE2E, InstallExeUninstallsUnlessFirstArgumentIsInstall)
{
    StartSetup("install.exe");
    Answer(ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO), IDNO);
    ExpectSetupEnds();
    EndProcess(m_setup);

    StartSetup("install.exe", "-INSTALL");
    ExpectInstallRun();
}

TEST_F(StartupE2E, DelselfAloneIsUninstallMode)
{
    StartSetup("GlmUnInst.exe", "-delself");
    Answer(ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO), IDNO);
    ExpectSetupEnds();
}

TEST_F(StartupE2E, DelselfInCapitalsIsNeverARemovalRun)
{
    StartSetup("uni1A.tmp", "-DELSELF " + QuoteArgument(m_package->PathOf("GlmUnInst.exe")));
    Answer(ExpectBox(kConfirmUninstall, {IDYES, IDNO}, IDNO), IDNO);
    ExpectSetupEnds();
}

TEST_F(StartupE2E, DelselfWithAPathIsTheRemovalRunWithoutAnyQuestion)
{
    StartCopies(1);
    std::string uninstaller = m_package->PathOf("GlmUnInst.exe");
    StartSetup("uni1C.tmp", "-delself " + QuoteArgument(uninstaller) + " -s");
    ExpectSetupEnds(0);
    // The removal run does not close running copies: that was the uninstaller's job.
    ExpectCopiesRunning();
}

}  // namespace
