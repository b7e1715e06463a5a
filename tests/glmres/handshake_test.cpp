// The load-time handshake, seen from outside: stand-in hosts with different answers load the
// library in their own processes and report through their exit codes.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host_report.h"
#include "process.h"
#include "test_paths.h"

namespace {

const DWORD kHostTimeoutMs = 20000;

std::string DescribeReport(int code)
{
    if (code < 0) return "timed out or not started";
    static const std::pair<int, const char*> kBits[] = {
        {kLoaded, "loaded"}, {kCalled, "called"}, {kCalledAgain, "called-again"},
        {kExeArgIsHost, "exe-arg-is-host"}, {kLibArgGiven, "lib-arg-given"},
        {kLibArgIsLoaded, "lib-arg-is-loaded"}, {kInitFailed, "init-failed"}, {kUsage, "usage"},
    };
    std::string out;
    for (const auto& bit : kBits)
        if (code & bit.first) out += std::string(out.empty() ? "" : " ") + bit.second;
    return out.empty() ? "nothing" : out;
}

// Runs a host on a library file; returns its report.
int RunHost(const std::string& host, const std::string& library)
{
    return RunProcess("\"" + HostPath(host) + "\" \"" + library + "\"", kHostTimeoutMs);
}

#define EXPECT_REPORT(expected, actual)                                                       \
    EXPECT_EQ(expected, actual) << "expected: " << DescribeReport(expected)                   \
                                << "\n  actual: " << DescribeReport(actual)

// The scratch folder with copies of the library; removed before and after each case.
class GlmResHandshake : public ::testing::Test {
protected:
    void SetUp() override { RemoveScratch(); }
    void TearDown() override { RemoveScratch(); }

    static void RemoveScratch()
    {
        for (const char* file : {"\\renamed\\GlmRes5Copy.dll", "\\samename\\GlmRes5.dll", "\\list.txt"})
            DeleteFileA((std::string(kScratchDir) + file).c_str());
        RemoveDirectoryA((std::string(kScratchDir) + "\\renamed").c_str());
        RemoveDirectoryA((std::string(kScratchDir) + "\\samename").c_str());
        RemoveDirectoryA(kScratchDir);
    }

    // Copies the library into <scratch>\<folder>\<name>; returns the copy's path.
    static std::string CopyLibrary(const char* folder, const char* name)
    {
        CreateDirectoryA("C:\\glmtest", nullptr);
        CreateDirectoryA(kScratchDir, nullptr);
        std::string dir = std::string(kScratchDir) + "\\" + folder;
        CreateDirectoryA(dir.c_str(), nullptr);
        std::string copy = dir + "\\" + name;
        EXPECT_TRUE(CopyFileA(LibraryPath().c_str(), copy.c_str(), FALSE))
            << LibraryPath() << " -> " << copy << ": error " << GetLastError();
        return copy;
    }
};

TEST_F(GlmResHandshake, HostAnswering2741LoadsTheLibraryAndIsCalledOnceWithBothHandles)
{
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(LibraryPath().c_str())) << LibraryPath();
    EXPECT_REPORT(kLoaded | kCalled | kExeArgIsHost | kLibArgGiven | kLibArgIsLoaded,
                  RunHost("glmhost_2741", LibraryPath()));
}

TEST_F(GlmResHandshake, HostsAnsweringAnythingElseGetAFailedLoad)
{
    // 68277 is 0x10AB5: its low 16 bits are 2741, so only a full comparison refuses it.
    for (const char* host : {"glmhost_0", "glmhost_1", "glmhost_2740", "glmhost_68277"}) {
        SCOPED_TRACE(host);
        EXPECT_REPORT(kCalled | kExeArgIsHost | kLibArgGiven | kInitFailed, RunHost(host, LibraryPath()));
    }
}

TEST_F(GlmResHandshake, HostWithoutTheExportIsRefusedWithoutACall)
{
    // Documented outcome: no callback to ask, so the attach fails like a refusal.
    EXPECT_REPORT(kInitFailed, RunHost("glmhost_noexport", LibraryPath()));
}

TEST_F(GlmResHandshake, RenamedCopyPassesANullLibraryHandle)
{
    std::string copy = CopyLibrary("renamed", "GlmRes5Copy.dll");
    // The host answers 2741 anyway, so the copy loads; the second argument was null.
    EXPECT_REPORT(kLoaded | kCalled | kExeArgIsHost, RunHost("glmhost_2741", copy));
    // A refusing host still refuses the renamed copy.
    EXPECT_REPORT(kCalled | kExeArgIsHost | kInitFailed, RunHost("glmhost_0", copy));
}

TEST_F(GlmResHandshake, CopyUnderItsOwnNameElsewhereIsFoundByName)
{
    std::string copy = CopyLibrary("samename", "GlmRes5.dll");
    EXPECT_REPORT(kLoaded | kCalled | kExeArgIsHost | kLibArgGiven | kLibArgIsLoaded,
                  RunHost("glmhost_2741", copy));
}

TEST_F(GlmResHandshake, HostWithoutALibraryPathReportsUsage)
{
    EXPECT_REPORT(kUsage, RunProcess("\"" + HostPath("glmhost_2741") + "\"", kHostTimeoutMs));
}

// Runs glmres_list with its output in a file; returns the exit code and fills the lines.
int RunListing(const std::string& library, std::vector<std::string>* lines)
{
    CreateDirectoryA("C:\\glmtest", nullptr);
    CreateDirectoryA(kScratchDir, nullptr);
    std::string outPath = std::string(kScratchDir) + "\\list.txt";
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return -2;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + HostPath("glmres_list") + "\" \"" + library + "\"";
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &si, &pi);
    CloseHandle(out);
    if (!started) return -3;
    CloseHandle(pi.hThread);
    ChildProcess child;
    child.process = pi.hProcess;
    child.id = pi.dwProcessId;
    int code = WaitProcess(child, kHostTimeoutMs);
    std::ifstream in(outPath);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines->push_back(line);
    }
    return code;
}

TEST_F(GlmResHandshake, ListingHostCountsEveryResourceType)
{
    std::vector<std::string> lines;
    ASSERT_EQ(0, RunListing(LibraryPath(), &lines));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_NE(std::string::npos, lines[0].find("GlmRes5.dll: loaded")) << lines[0];
    std::map<std::string, int> counts;
    for (size_t i = 2; i < lines.size(); ++i) {
        size_t cut = lines[i].find_last_of(' ');
        ASSERT_NE(std::string::npos, cut) << lines[i];
        std::string name = lines[i].substr(0, lines[i].find_last_not_of(' ', cut) + 1);
        counts[name] = std::stoi(lines[i].substr(cut + 1));
    }
    const std::map<std::string, int> expected = {
        {"CURSOR (1)", 32}, {"BITMAP (2)", 36}, {"ICON (3)", 14}, {"MENU (4)", 6},
        {"DIALOG (5)", 71}, {"ACCELERATOR (9)", 2}, {"GROUP_CURSOR (12)", 26},
        {"GROUP_ICON (14)", 6}, {"VERSION (16)", 1}, {"DLGINIT (240)", 5}, {"TOOLBAR (241)", 5},
        {"WAVE", 1},
    };
    int total = 0;
    for (const auto& e : expected) {
        EXPECT_EQ(e.second, counts[e.first]) << e.first;
        total += e.second;
    }
    // String tables come in blocks of 16 strings; the rest of the types are fixed above.
    EXPECT_GT(counts["STRING (6)"], 40);
    total += counts["STRING (6)"];
    EXPECT_EQ(expected.size() + 2, counts.size()) << "types listed: " << counts.size();
    EXPECT_EQ(total, counts["total"]);
}

TEST_F(GlmResHandshake, ListingHostReportsALibraryItCannotLoad)
{
    std::vector<std::string> lines;
    EXPECT_EQ(1, RunListing(std::string(kScratchDir) + "\\missing\\GlmRes5.dll", &lines));
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::string::npos, lines[0].find("not loaded")) << lines[0];
}

} // namespace
