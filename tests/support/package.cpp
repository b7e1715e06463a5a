#include "package.h"

// The build passes the outputs' host paths; Wine shows the host's root as drive Z:.
static std::string HostToWindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& ch : path)
        if (ch == '/') ch = '\\';
    return path;
}

std::string SetupExePath()
{
#ifdef GLM_SETUP_EXE
    return HostToWindowsPath(GLM_SETUP_EXE);
#else
    return std::string();
#endif
}

std::string StandInExePath()
{
#ifdef GLM_STANDIN_EXE
    return HostToWindowsPath(GLM_STANDIN_EXE);
#else
    return std::string();
#endif
}

// Removes a file or a whole folder tree; TRUE when it is gone.
static bool RemovePackageTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") RemovePackageTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != 0;
}

static bool MakePackageFolders(const std::string& path)
{
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2) MakePackageFolders(path.substr(0, slash));
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got) content.append(buffer, got);
    CloseHandle(file);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TestPackage::TestPackage(const std::string& suite, const std::string& caseName)
    : dir_("C:\\glmtest\\" + suite + "\\" + caseName)
{
    RemovePackageTree(dir_);
    MakePackageFolders(dir_);
}

TestPackage::~TestPackage()
{
    // A program just ended may hold its file for a moment longer.
    for (int attempt = 0; attempt < 50 && !RemovePackageTree(dir_); ++attempt) Sleep(100);
}

std::string TestPackage::AddFile(const std::string& sourcePath, const std::string& relativePath)
{
    std::string target = PathOf(relativePath);
    size_t slash = target.find_last_of('\\');
    MakePackageFolders(target.substr(0, slash));
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
