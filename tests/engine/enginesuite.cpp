#include "enginesuite.h"

static bool UnderEngineRoot(const std::string& path)
{
    std::string root = std::string(ENGINE_ROOT) + "\\";
    return path.size() >= root.size() && lstrcmpiA(path.substr(0, root.size()).c_str(), root.c_str()) == 0;
}

void RemoveOwnPendingRenames()
{
    RemovePendingRenames(UnderEngineRoot);
}

ChildProcess StartHolder(const std::string& path)
{
    CopyFileA((TestProgramDir() + "\\engine_holder.exe").c_str(), path.c_str(), FALSE);
    ChildProcess child = StartProcess("\"" + path + "\" 20000");
    // Wait until the program runs, so its file is in use.
    if (child.process) WaitForInputIdle(child.process, 2000), Sleep(300);
    return child;
}

void StopHolder(ChildProcess& child)
{
    if (!child.process) return;
    TerminateProcess(child.process, 0);
    WaitProcess(child, 5000);
}
