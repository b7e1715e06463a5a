#include "plan.h"
#include "codepage.h"
#include "filenames.h"
#include "pefile.h"
#include "uninstallset.h"
#include "engine/names.h"
#include "resource.h"

#define MACHINE_ROOT "HKLM\\"
#define PROGRAM_FILES_FOLDER "%ProgramFilesDir%"
// A silent fresh installation is for all users: its shortcuts go into the common shell folders.
#define PROGRAMS_FOLDER "%Common Programs%"
#define DESKTOP_FOLDER  "%Common Desktop%"
#define STARTUP_FOLDER  "%Common Startup%"
#define UNINSTALL_ENTRY_KEY_PATH UNINSTALL_KEY "\\" UNINSTALL_ENTRY_NAME

namespace {

class Planner {
public:
    Planner(const Package& package, const PlanOptions& options) : m_package(package), m_options(options)
    {
        std::string parent = options.installParent.empty() ? PROGRAM_FILES_FOLDER : options.installParent;
        if (parent.size() > 1 && (parent.back() == '\\' || parent.back() == '/')) parent.pop_back();
        m_plan.installDir = parent + "\\" PRODUCT_FOLDER_NAME;
        ReadSetupStrings();
    }

    // In the setup's order: its own files ahead of the script, the registry values, the script's
    // files, the shortcuts, and last the size of what was placed.
    Plan Make()
    {
        PlaceFiles(true);
        WriteRegistryValues();
        PlaceFiles(false);
        MakeShortcuts();
        AddNumber(UNINSTALL_ENTRY_KEY_PATH, "EstimatedSize", (MeasurePlacedFiles() + 1023) / 1024);
        PlanUninstall();
        return m_plan;
    }

private:
    const Package& m_package;
    const PlanOptions& m_options;
    Plan m_plan;
    std::string m_productName, m_helpName, m_readmeName, m_uninstallName;

    std::string InInstallDir(const std::string& name) const { return name.empty() ? m_plan.installDir : m_plan.installDir + "\\" + name; }

    // The shortcut names come from setup.exe's string table, as the setup loads them.
    void ReadSetupStrings()
    {
        std::string setup;
        bool read = ReadMember(m_package, SETUP_EXE_NAME, setup);
        m_productName = SetupString(read, setup, IDS_PRODUCT_NAME);
        m_helpName = SetupString(read, setup, IDS_HELP_SHORTCUT);
        m_readmeName = SetupString(read, setup, IDS_README_SHORTCUT);
        m_uninstallName = SetupString(read, setup, IDS_UNINSTALL_SHORTCUT);
    }

    static std::string SetupString(bool read, const std::string& setup, unsigned id)
    {
        std::u16string wide;
        std::string text;
        if (read && ReadPeString(setup, id, wide) && ConvertUtf16To1250(wide, text)) return text;
        return "<string " + std::to_string(id) + " of " SETUP_EXE_NAME ">";
    }

    void Add(PlanStep::Kind kind, int line, const std::string& path, const std::string& source = std::string(),
             const std::string& name = std::string(), const std::string& note = std::string())
    {
        m_plan.steps.push_back({ kind, line, path, source, name, note });
    }

    void Remove(PlanStep::Kind kind, const std::string& path, const std::string& note = std::string())
    {
        m_plan.removals.push_back({ kind, 0, path, std::string(), std::string(), note });
    }

    // The steps the setup takes ahead of the script (line 0), or the script's own.
    void PlaceFiles(bool ahead)
    {
        for (const InstallStep& step : m_package.steps) {
            if ((step.line == 0) != ahead) continue;
            if (step.kind == InstallStep::MAKE_FOLDER) Add(PlanStep::MAKE_FOLDER, step.line, InInstallDir(step.target));
            else Add(PlanStep::PLACE_FILE, step.line, InInstallDir(step.target), step.source, "", DescribeAhead(step.source));
        }
    }

    static std::string DescribeAhead(const std::string& name)
    {
        if (EqualNames(name, LOG_NAME)) return "the install script becomes the installation log, ahead of the script";
        if (EqualNames(name, UNINSTALLER_NAME)) return "the uninstaller, ahead of the script and the uninstall entry";
        return "";
    }

    // The bytes of every file placed, as the setup counts them for the uninstall entry.
    long long MeasurePlacedFiles() const
    {
        long long bytes = 0;
        for (const InstallStep& step : m_package.steps) {
            const PackageEntry* entry = step.kind == InstallStep::PLACE_FILE ? FindPackageEntry(m_package.entries, step.source) : nullptr;
            long long size = entry ? MeasureFile(entry->path) : -1;
            if (size > 0) bytes += size;
        }
        return bytes;
    }

    std::string GroupFolder() const { return PROGRAMS_FOLDER "\\" PRODUCT_FOLDER_NAME; }

    void AddShortcut(const std::string& folder, const std::string& name, const char* target)
    {
        Add(PlanStep::SHORTCUT, 0, folder + "\\" + name + ".lnk", InInstallDir(target));
    }

    void MakeShortcuts()
    {
        Add(PlanStep::MAKE_FOLDER, 0, GroupFolder(), "", "", "the program group");
        AddShortcut(GroupFolder(), m_productName, APP_EXE_NAME);
        AddShortcut(GroupFolder(), m_helpName, HELP_FILE_NAME);
        AddShortcut(GroupFolder(), m_readmeName, README_FILE_NAME);
        AddShortcut(GroupFolder(), m_uninstallName, UNINSTALLER_NAME);
        if (m_options.desktopIcon) AddShortcut(DESKTOP_FOLDER, m_productName, APP_EXE_NAME);
        if (m_options.autoStart) AddShortcut(STARTUP_FOLDER, m_productName, APP_EXE_NAME);
    }

    void AddValue(const char* key, const char* name, const std::string& data)
    {
        Add(PlanStep::REGISTRY_VALUE, 0, MACHINE_ROOT + std::string(key), data, name ? name : "");
    }

    void AddNumber(const char* key, const char* name, long long number)
    {
        Add(PlanStep::REGISTRY_NUMBER, 0, MACHINE_ROOT + std::string(key), std::to_string(number), name);
    }

    void WriteRegistryValues()
    {
        const char* uninstallEntry = UNINSTALL_ENTRY_KEY_PATH;
        std::string uninstaller = "\"" + InInstallDir(UNINSTALLER_NAME) + "\"";
        AddValue(SETTINGS_KEY, ALL_USERS_VALUE, "B");
        AddValue(SETTINGS_KEY, INSTALL_PATH_VALUE, m_plan.installDir);
        AddValue(APP_PATHS_KEY "\\" APP_EXE_NAME, nullptr, InInstallDir(APP_EXE_NAME));
        AddValue(uninstallEntry, "Contact", "Support");
        AddValue(uninstallEntry, "DisplayName", m_productName);
        AddValue(uninstallEntry, "DisplayVersion", "5");
        AddValue(uninstallEntry, "Publisher", MAKER_FULL_NAME);
        AddValue(uninstallEntry, "UninstallString", uninstaller);
        AddValue(uninstallEntry, "QuietUninstallString", uninstaller + " -s");
        AddValue(uninstallEntry, "URLInfoAbout", MAKER_URL);
        AddValue(uninstallEntry, "DisplayIcon", InInstallDir(APP_EXE_NAME));
        AddValue(uninstallEntry, "InstallLocation", m_plan.installDir);
        AddNumber(uninstallEntry, "NoModify", 1);
        AddNumber(uninstallEntry, "NoRepair", 1);
    }

    // In the uninstall's order: the registry goes last, so that an uninstall cut off at any moment
    // can be run again from the uninstall entry; the uninstaller goes once it has ended.
    void PlanUninstall()
    {
        for (const PlanStep& step : m_plan.steps)
            if (step.kind == PlanStep::SHORTCUT) Remove(PlanStep::REMOVE_FILE, step.path);
        Remove(PlanStep::REMOVE_FOLDER, GroupFolder(), "when empty, and each parent that is left empty");
        for (const InstallStep& step : m_package.steps)
            if (step.kind == InstallStep::PLACE_FILE && step.line > 0 && IsRemovedAtUninstall(m_package, step.target))
                Remove(PlanStep::REMOVE_FILE, InInstallDir(step.target));
        for (const PlanStep& step : m_plan.steps)
            if (step.kind == PlanStep::MAKE_FOLDER && step.line > 0 && step.path != m_plan.installDir)
                Remove(PlanStep::REMOVE_FOLDER, step.path, "when empty");
        Remove(PlanStep::REMOVE_FILE, InInstallDir(LOG_NAME));
        Remove(PlanStep::REMOVE_KEY, MACHINE_ROOT SETTINGS_KEY, "and HKLM\\SOFTWARE\\" MAKER_NAME " when it is left empty; the same key of every user profile");
        Remove(PlanStep::REMOVE_KEY, "HKCR\\" DOCUMENT_CLASS_NAME);
        Remove(PlanStep::REMOVE_KEY, MACHINE_ROOT UNINSTALL_ENTRY_KEY_PATH);
        Remove(PlanStep::REMOVE_KEY, MACHINE_ROOT APP_PATHS_KEY "\\" APP_EXE_NAME);
        Remove(PlanStep::REMOVE_FILE, InInstallDir(UNINSTALLER_NAME), "once the uninstaller has ended");
        Remove(PlanStep::REMOVE_FOLDER, m_plan.installDir, "when empty");
    }
};

}  // namespace

Plan MakePlan(const Package& package, const PlanOptions& options)
{
    return Planner(package, options).Make();
}
