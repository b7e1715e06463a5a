// The plan is true: the sample package is installed by "setup.exe -s" into a sandbox, and what is
// on disk and in the registry afterwards is what glmpack's plan of the same package says, no more
// and no less: files and folders, shortcuts with their targets, registry values; then the
// uninstall removes what the plan's uninstall part names.
#include <gtest/gtest.h>
#include "sandbox.h"
#include "package.h"
#include "packagereader.h"
#include "plan.h"
#include "uninstall/uninstall.h"
#include <algorithm>
#include <map>

namespace {

const DWORD kWait = 30000;

// "%Common Programs%\..." with the sandbox's folders.
std::string ResolveShellFolders(std::string path, const ShellFolderPaths& folders)
{
    const std::pair<const char*, std::string> names[] = {
        { "%Common Programs%", folders.commonPrograms }, { "%Common Desktop%", folders.commonDesktop },
        { "%Common Startup%", folders.commonStartup },
    };
    for (const auto& name : names)
        if (path.compare(0, strlen(name.first), name.first) == 0) return name.second + path.substr(strlen(name.first));
    return path;
}

// The part of path below folder ("a\b" of "folder\a\b"); the path itself when it is not below.
std::string Below(const std::string& folder, const std::string& path)
{
    if (path.size() > folder.size() && _strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0 && path[folder.size()] == '\\')
        return path.substr(folder.size() + 1);
    return path;
}

// The names below folder in TreeText's form: sorted, sub-folders ending in "\", joined with ",".
std::string TreeOf(const std::vector<std::string>& names)
{
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    return Joined(sorted);
}

// The values of a key, name to data (a DWORD in decimal); "(default)" for the default value.
std::map<std::string, std::string> ValuesOf(const std::string& key)
{
    std::map<std::string, std::string> values;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return values;
    char name[256];
    BYTE data[1024];
    for (DWORD index = 0;; index++) {
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type;
        if (RegEnumValueA(handle, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        data[dataSize] = 0;
        values[name[0] ? name : "(default)"] = type == REG_DWORD ? std::to_string(*(DWORD*)data) : (const char*)data;
    }
    RegCloseKey(handle);
    return values;
}

struct PlanCase {
    const char* name;
    const char* switches;    // of setup.exe after "-s -instdir <folder>"
    bool autoStart;
    bool desktopIcon;
    const char* extraLine;   // appended to the sample script
    std::vector<const char*> extraFiles;
    size_t extraPlaced;      // of the extra files
};

class PlanTest : public ::testing::TestWithParam<PlanCase> {
protected:
    Sandbox m_box{"glmpack"};

    // A package of the build's programs and the sample package's files.
    std::string MakePackage()
    {
        std::string dir = m_box.Path("pkg");
        EXPECT_TRUE(CopyBuiltPackage(dir, StandInExePath()));
        const PlanCase& row = GetParam();
        for (const char* file : row.extraFiles) WriteFileBytes(dir + "\\" + file, file);
        std::string script = ReadFileBytes(dir + "\\GlmUnInst.log") + row.extraLine;
        WriteFileBytes(dir + "\\GlmUnInst.log", script);
        return dir;
    }
};

TEST_P(PlanTest, ASilentInstallationDoesWhatThePlanSays)
{
    const PlanCase& row = GetParam();
    ShellFolderPaths folders = m_box.RedirectShellFolders();
    std::string package = MakePackage();
    std::string parent = m_box.Path("apps");
    MakeFolders(parent);

    Package loaded;
    ASSERT_TRUE(LoadPackage(package, loaded));
    PlanOptions options;
    options.installParent = parent;
    options.autoStart = row.autoStart;
    options.desktopIcon = row.desktopIcon;
    Plan plan = MakePlan(loaded, options);
    ASSERT_EQ(parent + "\\Glimra 5", plan.installDir);

    ChildProcess setup = StartProgram(package + "\\setup.exe", std::string("-s -instdir ") + QuoteArgument(parent) + row.switches);
    ASSERT_TRUE(setup.process);
    DWORD exitCode = 99;
    ASSERT_TRUE(WaitForExit(setup, kWait, &exitCode));
    EndProcess(setup);
    EXPECT_EQ(0u, exitCode);

    std::vector<std::string> installed, linked;
    std::map<std::string, std::map<std::string, std::string>> values;
    for (const PlanStep& step : plan.steps) {
        std::string path = ResolveShellFolders(step.path, folders);
        switch (step.kind) {
        case PlanStep::MAKE_FOLDER:
            if (path == plan.installDir) break;
            if (Below(plan.installDir, path) != path) installed.push_back(Below(plan.installDir, path) + "\\");
            else linked.push_back(Below(m_box.Path("common"), path) + "\\");
            break;
        case PlanStep::PLACE_FILE:
        {
            installed.push_back(Below(plan.installDir, path));
            std::string source = ReadFileBytes(package + "\\" + step.source), placed = ReadFileBytes(path);
            // The script becomes the log, to which the setup appends its own records.
            if (step.line == 0) placed = placed.substr(0, source.size());
            EXPECT_EQ(source, placed) << path;
            break;
        }
        case PlanStep::SHORTCUT: {
            linked.push_back(Below(m_box.Path("common"), path));
            ShortcutInfo shortcut = ReadShortcut(path);
            EXPECT_TRUE(shortcut.loaded) << path;
            EXPECT_EQ(0, lstrcmpiA(step.source.c_str(), shortcut.target.c_str())) << path << " opens " << shortcut.target;
            break;
        }
        case PlanStep::REGISTRY_VALUE:
        case PlanStep::REGISTRY_NUMBER:
            values[step.path.substr(strlen("HKLM\\"))][step.name.empty() ? "(default)" : step.name] = step.source;
            break;
        default:
            ADD_FAILURE() << "an uninstall step among the installation's: " << step.path;
        }
    }
    // The shell folders that hold no planned shortcut are there, empty.
    for (const char* folder : { "Programs\\", "Desktop\\", "Startup\\" })
        if (std::find(linked.begin(), linked.end(), folder) == linked.end()) linked.push_back(folder);

    // Every file of the sample script, the log, the sub-folder; the group, its four shortcuts.
    EXPECT_EQ(10u + row.extraPlaced, installed.size());
    EXPECT_EQ(5u + row.autoStart + row.desktopIcon, linked.size() - 3);
    EXPECT_EQ(TreeOf(installed), TreeText(plan.installDir));
    EXPECT_EQ(TreeOf(linked), TreeText(m_box.Path("common")));
    EXPECT_EQ("Desktop\\,Programs\\,Startup\\", TreeText(m_box.Path("user"))) << "a shortcut for one user";
    for (const auto& key : values) EXPECT_EQ(key.second, ValuesOf(key.first)) << key.first;

    // The uninstall driver, as the uninstaller's temporary copy runs it, removes what the plan
    // says a later uninstall removes.
    RunUninstall((plan.installDir + "\\").c_str());
    EXPECT_LE(15u, plan.removals.size());
    for (const PlanStep& step : plan.removals) {
        std::string path = ResolveShellFolders(step.path, folders);
        if (step.kind == PlanStep::REMOVE_KEY) {
            bool classes = path.compare(0, 5, "HKCR\\") == 0;
            EXPECT_FALSE(RegKeyExists(classes ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE, path.substr(5))) << path;
        } else {
            EXPECT_FALSE(PathExists(path)) << path;
        }
    }
}

const PlanCase kPlanCases[] = {
    { "Defaults", "", false, true, "", {}, 0 },
    { "StartupWithoutDesktop", " -autostart -nodeskico", true, false, "", {}, 0 },
    // The directory search also matches the short names: "*.htm" finds "kep.html" ("KEP~1.HTM").
    { "ShortNames", "", false, true, "File Copy: *.htm\r\n", { "kep.html", "lap.htm", "hosszunev.htmlx", "lap.txt" }, 3 },
};

INSTANTIATE_TEST_SUITE_P(Switches, PlanTest, ::testing::ValuesIn(kPlanCases),
                         [](const ::testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

}  // namespace
