#include "package.h"

std::string HostToWindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& ch : path)
        if (ch == '/') ch = '\\';
    return path;
}

// A build without the stand-in (or the program) gives an empty path.
#ifndef GLM_SETUP_EXE
#define GLM_SETUP_EXE ""
#endif
#ifndef GLM_STANDIN_EXE
#define GLM_STANDIN_EXE ""
#endif
#ifndef GLM_RESLIB_DLL
#define GLM_RESLIB_DLL ""
#endif
#ifndef GLM_PACKAGE_DIR
#define GLM_PACKAGE_DIR ""
#endif

std::string SetupExePath()
{
    return HostToWindowsPath(GLM_SETUP_EXE);
}

std::string StandInExePath()
{
    return HostToWindowsPath(GLM_STANDIN_EXE);
}

bool CopyBuiltPackage(const std::string& folder, const std::string& standIn)
{
    MakeFolders(folder + "\\Minta");
    bool copied = CopyFileA(SetupExePath().c_str(), (folder + "\\setup.exe").c_str(), FALSE) &&
                  CopyFileA(SetupExePath().c_str(), (folder + "\\GlmUnInst.exe").c_str(), FALSE) &&
                  CopyFileA(HostToWindowsPath(GLM_RESLIB_DLL).c_str(), (folder + "\\GlmRes5.dll").c_str(), FALSE);
    if (!standIn.empty()) copied = CopyFileA(standIn.c_str(), (folder + "\\Glmr5.exe").c_str(), FALSE) && copied;
    std::string sample = HostToWindowsPath(GLM_PACKAGE_DIR);
    for (const char* file : { "GlmUnInst.log", "agreement.txt", "readme.txt", "Glmr5Man.chm", "HomePage.url",
                              "Minta\\pelda1.glm", "Minta\\pelda2.glm" })
        copied = CopyFileA((sample + "\\" + file).c_str(), (folder + "\\" + file).c_str(), FALSE) && copied;
    return copied;
}

TestPackage::TestPackage(const std::string& suite, const std::string& caseName)
    : dir_("C:\\glmtest\\" + suite + "\\" + caseName)
{
    RemoveTree(dir_);
    MakeFolders(dir_);
}

TestPackage::~TestPackage()
{
    // A program just ended may hold its file for a moment longer.
    for (int attempt = 0; attempt < 50 && !RemoveTree(dir_); ++attempt) Sleep(100);
}

std::string TestPackage::AddFile(const std::string& sourcePath, const std::string& relativePath)
{
    std::string target = PathOf(relativePath);
    size_t slash = target.find_last_of('\\');
    MakeFolders(target.substr(0, slash));
    return CopyFileA(sourcePath.c_str(), target.c_str(), FALSE) ? target : std::string();
}

ChildProcess StartProgram(const std::string& exePath, const std::string& arguments)
{
    std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
    std::string commandLine = QuoteArgument(exePath);
    if (!arguments.empty()) commandLine += " " + arguments;
    return StartProcess(commandLine, folder.c_str());
}

std::vector<std::string> StandInRecord(const StandIn& standIn)
{
    return ReadLines(standIn.recordPath);
}

static bool HasStartRecord(const std::string& recordPath, DWORD processId)
{
    std::string expected = "start " + std::to_string(processId);
    for (const std::string& line : ReadLines(recordPath))
        if (line == expected) return true;
    return false;
}

StandIn StartStandIn(const std::string& exePath, const std::string& recordPath,
                     const std::string& extraArguments, DWORD timeoutMs)
{
    StandIn standIn;
    standIn.recordPath = recordPath;
    DeleteFileA(recordPath.c_str());
    std::string arguments = "-record " + QuoteArgument(recordPath);
    if (!extraArguments.empty()) arguments += " " + extraArguments;
    standIn.process = StartProgram(exePath, arguments);
    if (!standIn.process.process) return standIn;
    DWORD start = GetTickCount();
    while (!HasStartRecord(recordPath, standIn.process.id)) {
        if (GetTickCount() - start >= timeoutMs || !IsRunning(standIn.process)) {
            EndProcess(standIn.process);
            return standIn;
        }
        Sleep(20);
    }
    return standIn;
}
