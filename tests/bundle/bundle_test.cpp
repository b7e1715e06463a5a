// Bundles run as their users run them: the signed Glimra5-setup.exe that installs the package,
// silently and through the wizard; the probe program in place of setup.exe, which shows how the
// stub started it; damaged copies and payloads whose names leave the unpack folder, which must be
// refused with nothing left. tests/bundle/make_bundles.py makes them. Every case ends with the
// temporary folder holding the unpack folders it held before.
#include <gtest/gtest.h>
#include "sandbox.h"
#include "browserstandin.h"
#include "package.h"
#include "robot.h"
#include "wizardrobot.h"
#include "wizardtexts.h"
#include "resource.h"

namespace {

const DWORD kWait = 20000;
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimra 5";

std::string Fixture(const std::string& name)
{
    return HostToWindowsPath(GLM_BUNDLE_FIXTURES) + "\\" + name;
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temp);
    return std::string(temp, length && temp[length - 1] == '\\' ? length - 1 : length);
}

std::vector<std::string> UnpackFolders()
{
    return SearchOrder(TempFolder(), "Glm5-*");
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class BundleTest : public ::testing::Test {
protected:
    Sandbox m_box{"bundle"};
    std::vector<std::string> m_foldersBefore = UnpackFolders();
    std::string m_record = m_box.Path("probe.txt");
    std::string m_download = m_box.Path("download");

    void SetUp() override
    {
        m_box.RedirectShellFolders();
        MakeFolders(m_download);
        // The probe, started by the stub, inherits it.
        SetEnvironmentVariableA("GLM_PROBE_RECORD", m_record.c_str());
    }

    void TearDown() override
    {
        EXPECT_EQ(Joined(m_foldersBefore), Joined(UnpackFolders())) << "an unpack folder is left in " << TempFolder();
    }

    // The fixture copied into the download folder, as a user's browser would have saved it.
    std::string Download(const std::string& fixture, const std::string& name = "Glimra5-setup.exe")
    {
        std::string path = m_download + "\\" + name;
        EXPECT_TRUE(CopyFileA(Fixture(fixture).c_str(), path.c_str(), FALSE)) << Fixture(fixture);
        return path;
    }

    // Runs the bundle with the arguments in the folder (the download folder by default) and
    // returns its exit code, as GetExitCodeProcess reads it.
    static int Run(const std::string& bundle, const std::string& arguments, const std::string& folder = "")
    {
        std::string where = folder.empty() ? bundle.substr(0, bundle.find_last_of('\\')) : folder;
        return RunProcess(QuoteArgument(bundle) + " " + arguments, kWait, where.c_str());
    }

    // The probe's record: "program ...", "current ...", "sfxname ...", then "argument ..." lines.
    std::vector<std::string> ProbeRecord() const { return ReadLines(m_record); }
};

TEST_F(BundleTest, SignedBundleInstallsSilently)
{
    std::string bundle = Download("Glimra5-setup.exe");
    // A settings file beside the downloaded bundle is installed too (the setup finds it through "sfxname").
    WriteFileBytes(m_download + "\\Glmr5.ini", "[Glimra]\r\n");
    std::string apps = m_box.Path("apps"), log = m_box.Path("run.log");
    MakeFolders(apps);

    EXPECT_EQ(0, Run(bundle, "-s -instdir " + QuoteArgument(apps) + " -log " + QuoteArgument(log)));

    std::string installed = apps + "\\Glimra 5";
    EXPECT_EQ("GlmRes5.dll,GlmUnInst.exe,GlmUnInst.log,Glmr5.exe,Glmr5.ini,Glmr5Man.chm,HomePage.url,Minta\\,"
              "Minta\\pelda1.glm,Minta\\pelda2.glm,readme.txt",
              TreeText(installed));
    EXPECT_EQ(ReadFileBytes(SetupExePath()), ReadFileBytes(installed + "\\GlmUnInst.exe"));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    // The stub's lines and the setup's in one log, the stub's last.
    std::vector<std::string> lines = ReadLines(log);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_TRUE(Contains(lines[1], "SHA-256 checked")) << lines[1];
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return Contains(line, "registry: "); }));
    EXPECT_TRUE(Contains(lines[lines.size() - 3], "setup.exe ended with exit code 0")) << lines[lines.size() - 3];
    EXPECT_TRUE(Contains(lines.back(), "] exit code 0")) << lines.back();
}

TEST_F(BundleTest, BundleInstallsThroughTheWizard)
{
    BrowserStandIn browser(m_box, GLM_URLRECORDER_EXE);
    std::string bundle = Download("Glimra5-setup.exe");
    std::string apps = m_box.Path("apps");
    MakeFolders(apps);
    ChildProcess stub = StartProcess(QuoteArgument(bundle) + " -instdir " + QuoteArgument(apps), m_download.c_str());
    ASSERT_TRUE(stub.process);
    DWORD setupId = 0;
    ASSERT_TRUE(WaitUntil([&] { return (setupId = ChildOfProcess(stub.id)) != 0; }, kWait));
    WindowQuery query;
    query.caption = TXT_FRAME_CAPTION;
    query.className = DIALOG_CLASS;
    query.processId = setupId;
    HWND frame = WaitForTopWindow(query, kWait);
    ASSERT_TRUE(frame && WaitForPageWith(frame, IDC_VERSION_TEXT, kWait));
    for (int id : { IDC_AGREEMENT_TEXT, IDC_BROWSE, IDC_GROUP_COMBO, IDC_READY_TEXT })
        ASSERT_TRUE(Press(frame, IDOK) && WaitForPageWith(frame, id, kWait)) << "the page with " << id;
    ASSERT_TRUE(Press(frame, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(frame, IDOK) == TXT_FINISH; }, kWait)) << ControlText(frame, IDOK);
    ASSERT_TRUE(Press(frame, IDOK));
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(stub, kWait, &code));
    EndProcess(stub);
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(FileExists(apps + "\\Glimra 5\\Glmr5.exe"));
    EXPECT_TRUE(FileExists(apps + "\\Glimra 5\\GlmUnInst.exe"));
    EXPECT_EQ(1u, browser.Opened(1, 5000).size()) << "the maker's page after a new installation";
}

// A failed installation (a folder stands where Glmr5.exe belongs): the setup's 1603 comes through
// and the unpack folder goes all the same.
TEST_F(BundleTest, FailedInstallationPassesItsCodeOn)
{
    std::string bundle = Download("Glimra5-setup.exe");
    std::string apps = m_box.Path("apps");
    MakeFolders(apps + "\\Glimra 5\\Glmr5.exe");
    EXPECT_EQ(1603, Run(bundle, "-s -instdir " + QuoteArgument(apps)));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(BundleTest, ExitCodesPassThrough)
{
    std::string bundle = Download("probe.exe");
    for (int code : { 0, 1, 1602, 1603, 1618, 3010 })
        EXPECT_EQ(code, Run(bundle, "-s -exit " + std::to_string(code))) << "the setup's code " << code;
}

// Every argument reaches the setup as it was given, however it must be quoted; the setup runs from
// a new folder under the temporary folder, which is its current folder and is gone afterwards.
TEST_F(BundleTest, SwitchesReachTheSetupUnchanged)
{
    std::string bundle = Download("probe.exe");
    const std::vector<std::string> arguments = {
        "-s", "-instdir", "C:\\Program Files\\x y", "quote\"inside", "trailing\\", "C:\\blank and slash\\",
        "", "\\\\server\\share", "\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p", "-RunAfter", "/s"};
    std::string line;
    for (const std::string& argument : arguments) {
        // The C runtime's rules: backslashes before a quote doubled, the quote escaped.
        std::string quoted;
        for (size_t i = 0; i < argument.size(); i++) {
            size_t backslashes = 0;
            while (i < argument.size() && argument[i] == '\\') backslashes++, i++;
            bool quoteFollows = i == argument.size() || argument[i] == '"';
            quoted.append(quoteFollows ? 2 * backslashes : backslashes, '\\');
            if (i < argument.size()) quoted += argument[i] == '"' ? std::string("\\\"") : std::string(1, argument[i]);
        }
        line += " \"" + quoted + "\"";
    }
    EXPECT_EQ(0, Run(bundle, line.substr(1)));

    std::vector<std::string> record = ProbeRecord();
    ASSERT_EQ(3 + arguments.size(), record.size()) << Joined(record);
    std::string program = record[0].substr(8), current = record[1].substr(8);
    std::string folder = program.substr(0, program.find_last_of('\\'));
    EXPECT_EQ(TempFolder(), folder.substr(0, folder.find_last_of('\\'))) << program;
    EXPECT_EQ(0u, folder.find(TempFolder() + "\\Glm5-")) << folder;
    EXPECT_EQ(TempFolder().size() + 22, folder.size()) << "16 random digits: " << folder;
    EXPECT_EQ(folder + "\\setup.exe", program);
    EXPECT_EQ(folder, current);
    EXPECT_EQ("sfxname " + bundle, record[2]);
    for (size_t i = 0; i < arguments.size(); i++) EXPECT_EQ("argument " + arguments[i], record[3 + i]);
    EXPECT_FALSE(PathExists(folder));
}

// The setup runs in the unpack folder, so a relative log file or installation folder is made whole
// against the folder the bundle was started in: the log is not lost with the unpack folder.
TEST_F(BundleTest, RelativePlacesAreTakenFromWhereTheBundleStarts)
{
    std::string bundle = Download("probe.exe");
    std::string work = m_box.Path("work");
    MakeFolders(work);
    EXPECT_EQ(0, Run(bundle, "-log run.log -instdir apps\\ -instdir -s -litter", work));
    std::vector<std::string> record = ProbeRecord();
    ASSERT_EQ(10u, record.size()) << Joined(record);
    EXPECT_EQ("argument " + work + "\\run.log", record[4]);
    EXPECT_EQ("argument " + work + "\\apps\\", record[6]);
    EXPECT_EQ("argument -s", record[8]) << "a switch after -instdir stays a switch";
    std::vector<std::string> log = ReadLines(work + "\\run.log");
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(Contains(log.back(), "] exit code 0")) << log.back();
}

// A cut-off or altered download ends with exit code 1 before anything is unpacked, and the log says why.
TEST_F(BundleTest, DamagedDownloadsAreRefused)
{
    struct Row { const char* fixture; const char* reason; };
    const Row rows[] = {
        { "damaged-cut-payload.exe", "cut off or too long" },
        { "damaged-cut-signed.exe", "cut off or has grown" },
        { "damaged-cut-signature.exe", "cut off or has grown" },
        { "damaged-grown.exe", "cut off or has grown" },
        { "damaged-altered.exe", "SHA-256 does not match" },
        { "damaged-no-payload.exe", "holds no payload" },
        { "no-setup.exe", "holds no setup.exe" },
    };
    std::string log = m_box.Path("damaged.log");
    for (const Row& row : rows) {
        DeleteFileA(log.c_str());
        std::string bundle = Download(row.fixture);
        EXPECT_EQ(1, Run(bundle, "-log " + QuoteArgument(log) + " /s")) << row.fixture;
        std::string text = ReadFileText(log);
        EXPECT_TRUE(Contains(text, "the download is damaged: ") && Contains(text, row.reason)) << row.fixture << ": " << text;
        EXPECT_TRUE(Contains(text, "] exit code 1\r\n")) << text;
        EXPECT_EQ(Joined(m_foldersBefore), Joined(UnpackFolders())) << row.fixture;
    }
}

// Interactive, the damaged download says so under the setup's caption before it ends.
TEST_F(BundleTest, DamagedDownloadSaysSo)
{
    std::string bundle = Download("damaged-altered.exe");
    ChildProcess stub = StartProcess(QuoteArgument(bundle), m_download.c_str());
    ASSERT_TRUE(stub.process);
    MessageBoxView box = WaitForMessageBox(stub.id, kWait);
    EXPECT_EQ(TEXT_SETUP_CAPTION, box.caption);
    EXPECT_EQ(TEXT_DAMAGED_PACKAGE, box.text);
    EXPECT_TRUE(box.window && AnswerMessageBox(box, IDOK, kWait));
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(stub, kWait, &code));
    EndProcess(stub);
    EXPECT_EQ(1u, code);
}

// Names that leave the unpack folder, or that Windows would take for something else: refused after
// a file was already written, which goes with the folder; nothing is written outside it.
TEST_F(BundleTest, EscapingNamesAreRefused)
{
    for (const char* name : { "parent", "deep-parent", "rooted", "drive-relative", "drive", "device-path", "device", "dots" }) {
        std::string fixture = std::string("escape-") + name + ".exe";
        std::string log = m_box.Path(std::string(name) + ".log");
        EXPECT_EQ(1, Run(Download(fixture), "-s -log " + QuoteArgument(log))) << fixture;
        EXPECT_TRUE(Contains(ReadFileText(log), "outside its folder")) << fixture << ": " << ReadFileText(log);
        EXPECT_FALSE(FileExists(m_record)) << fixture << ": the setup was started";
        for (const std::string& place : { TempFolder(), m_box.Root(), m_download, std::string("C:") })
            EXPECT_FALSE(FileExists(place + "\\escaped.txt")) << fixture << ": " << place;
        EXPECT_FALSE(FileExists("C:escaped.txt")) << fixture;
    }
}

// Unpacking that takes a while shows a small progress window, interactive runs only.
TEST_F(BundleTest, LongUnpackingShowsProgress)
{
    std::string bundle = Download("large.exe");
    for (bool silent : { false, true }) {
        ChildProcess stub = StartProcess(QuoteArgument(bundle) + (silent ? " -s" : ""), m_download.c_str());
        ASSERT_TRUE(stub.process);
        bool shown = false;
        while (!shown && !WaitForExit(stub, 10)) {
            WindowQuery query;
            query.caption = TEXT_SETUP_CAPTION;
            query.processId = stub.id;
            shown = FindTopWindow(query) != nullptr;
        }
        DWORD code = 99;
        EXPECT_TRUE(WaitForExit(stub, kWait, &code));
        EndProcess(stub);
        EXPECT_EQ(0u, code);
        EXPECT_EQ(!silent, shown) << (silent ? "silent" : "interactive");
    }
}

}  // namespace
