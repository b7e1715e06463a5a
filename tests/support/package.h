// End-to-end helpers: a package folder under C:\glmtest\<suite>\<case> made of the build's
// outputs, and setup.exe started from it as a child process. Paths are ANSI (ASCII in practice).
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "files.h"
#include "process.h"

// A host path of the build as Wine shows it (the host's root is drive Z:).
std::string HostToWindowsPath(std::string path);

// Windows paths of the build outputs.
std::string SetupExePath();
std::string StandInExePath();

// Copies the demo's package into folder: setup.exe and GlmUnInst.exe (a copy of it), GlmRes5.dll,
// the stand-in application given (none when empty) as Glmr5.exe, and the sample package's files.
// False when a file could not be copied.
bool CopyBuiltPackage(const std::string& folder, const std::string& standIn);


// A scratch package folder, emptied when made and removed when destroyed.
class TestPackage {
public:
    TestPackage(const std::string& suite, const std::string& caseName);
    ~TestPackage();
    TestPackage(const TestPackage&) = delete;
    TestPackage& operator=(const TestPackage&) = delete;

    const std::string& Dir() const { return dir_; }
    std::string PathOf(const std::string& relativePath) const { return dir_ + "\\" + relativePath; }
    // Copies a file into the folder under the relative name (folders on the way are made);
    // returns its full path, empty when the copy failed.
    std::string AddFile(const std::string& sourcePath, const std::string& relativePath);
    // setup.exe under any name, and the stand-in application.
    std::string AddSetup(const std::string& relativePath = "setup.exe") { return AddFile(SetupExePath(), relativePath); }
    std::string AddStandIn(const std::string& relativePath = "Glmr5.exe") { return AddFile(StandInExePath(), relativePath); }

private:
    std::string dir_;
};

// Starts the program (quoted as needed) with the arguments, in its own folder.
ChildProcess StartProgram(const std::string& exePath, const std::string& arguments);

// A running copy of the stand-in application, recording what it receives into a file.
struct StandIn {
    ChildProcess process;
    std::string recordPath;
};

// Starts the stand-in with "-record <recordPath>" and the extra arguments, and waits until it has
// registered and shows its window (its "start" record). process.process is null on failure.
StandIn StartStandIn(const std::string& exePath, const std::string& recordPath,
                     const std::string& extraArguments = std::string(), DWORD timeoutMs = 10000);
// The stand-in's record lines, e.g. "start 52", "WM_CLOSE 1001", "1946 60".
std::vector<std::string> StandInRecord(const StandIn& standIn);
