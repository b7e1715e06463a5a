#include "check.h"
#include "filenames.h"
#include "engine/names.h"

namespace {

// Members the setup reads from the package folder itself rather than installing them.
const char* const ReadInPlace[] = { SETUP_EXE_NAME, LOG_NAME, AGREEMENT_FILE_NAME };

// The files the install's shortcuts open, in the installation folder.
const char* const ShortcutTargets[] = { APP_EXE_NAME, HELP_FILE_NAME, README_FILE_NAME, UNINSTALLER_NAME };

const char DamagedPackage[] = "every installation stops with the damaged-package message";

class PackageChecker {
public:
    explicit PackageChecker(const Package& package) : m_package(package) {}

    Diagnostics Run()
    {
        m_out = m_package.scriptDiagnostics;
        CheckScriptPresent();
        CheckSetupAndUninstaller();
        CheckApplicationVersion();
        CheckMember(AGREEMENT_FILE_NAME, "the wizard's licence page stays empty");
        CheckNames();
        CheckUnplacedFiles();
        CheckShortcutTargets();
        return m_out;
    }

private:
    const Package& m_package;
    Diagnostics m_out;

    void Report(const std::string& file, Severity severity, const std::string& text) { m_out.push_back({ file, 0, severity, text }); }

    bool ScriptPlaces(const std::string& target) const
    {
        for (const InstallStep& step : m_package.steps)
            if (step.kind == InstallStep::PLACE_FILE && EqualNames(step.target, target)) return true;
        return false;
    }

    // By a line of the script, or by the setup itself (the log and the uninstaller).
    bool SetupInstalls(const std::string& source) const
    {
        for (const InstallStep& step : m_package.steps)
            if (step.kind == InstallStep::PLACE_FILE && EqualNames(step.source, source)) return true;
        return false;
    }

    // False (and an error) when the member is missing.
    bool CheckMember(const char* name, const char* consequence)
    {
        const PackageEntry* entry = FindPackageEntry(m_package.entries, name);
        if (entry && !entry->folder) return true;
        Report(name, Severity::Error, std::string(entry ? "is a folder, not a file: " : "missing: ") + consequence);
        return false;
    }

    void CheckScriptPresent() { CheckMember(LOG_NAME, DamagedPackage); }

    void CheckSetupAndUninstaller()
    {
        bool setup = CheckMember(SETUP_EXE_NAME, "the package has no setup program");
        if (!CheckMember(UNINSTALLER_NAME, "the installation gets no uninstaller") || !setup) return;
        std::string setupBytes, uninstallerBytes;
        if (!ReadMember(m_package, SETUP_EXE_NAME, setupBytes) || !ReadMember(m_package, UNINSTALLER_NAME, uninstallerBytes))
            Report(UNINSTALLER_NAME, Severity::Error, "could not be compared with " SETUP_EXE_NAME ": a member cannot be read");
        else if (setupBytes != uninstallerBytes)
            Report(UNINSTALLER_NAME, Severity::Error, "is not byte-identical to " SETUP_EXE_NAME ": every later uninstall runs another program");
    }

    void CheckApplicationVersion()
    {
        PeVersion version;
        bool fromLocked;
        bool read = ReadApplicationVersion(m_package, version, fromLocked);
        const char* what = FindPackageEntry(m_package.entries, APP_EXE_NAME) ? "has no version resource" : "missing";
        if (read && fromLocked)
            Report(APP_EXE_NAME, Severity::Warning, std::string(what) + ": the setup takes the version of the \".locked\" file instead");
        else if (!read)
            Report(APP_EXE_NAME, Severity::Error, std::string(what) + ": " + DamagedPackage);
    }

    void CheckNames()
    {
        for (const PackageEntry& entry : m_package.entries)
            if (!entry.nameFits)
                Report(entry.name, Severity::Error, "the name has a character that code page 1250 lacks: the setup cannot name the file");
    }

    void CheckUnplacedFiles()
    {
        for (const PackageEntry& entry : m_package.entries) {
            if (entry.folder || SetupInstalls(entry.name)) continue;
            bool readInPlace = false;
            for (const char* name : ReadInPlace) readInPlace = readInPlace || EqualNames(entry.name, name);
            if (!readInPlace) Report(entry.name, Severity::Warning, "shipped, but no line of the script installs it");
        }
    }

    void CheckShortcutTargets()
    {
        if (!m_package.hasScript) return;
        for (const char* target : ShortcutTargets)
            if (!ScriptPlaces(target))
                Report(LOG_NAME, Severity::Warning, std::string("no line installs ") + target + ", which a shortcut of the program group opens");
    }
};

}  // namespace

Diagnostics CheckPackage(const Package& package)
{
    return PackageChecker(package).Run();
}
