#include "packagereader.h"
#include "scriptlint.h"
#include "engine/names.h"
#include <algorithm>

bool LoadPackage(const std::string& folder, Package& package)
{
    package = Package();
    package.folder = folder;
    if (!ListPackage(folder, package.entries)) return false;
    package.hasScript = ReadMember(package, LOG_NAME, package.scriptBytes);
    const PackageEntry* script = FindPackageEntry(package.entries, LOG_NAME);
    if (script && !script->folder && !package.hasScript)
        package.scriptDiagnostics.push_back({ LOG_NAME, 0, Severity::Error, "cannot be read" });
    if (package.hasScript && !ReadScript(package.scriptBytes, package.script)) {
        package.scriptDiagnostics.push_back({ LOG_NAME, 0, Severity::Error, "could not be read: no scratch file for the line reader" });
    } else if (package.hasScript) {
        LintScript(package.scriptBytes, package.script, package.scriptDiagnostics);
        SimulatePlacement(package.script, package.entries, package.steps, package.scriptDiagnostics);
        std::stable_sort(package.scriptDiagnostics.begin(), package.scriptDiagnostics.end(),
                         [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    }
    return true;
}

bool ReadMember(const Package& package, const std::string& name, std::string& bytes)
{
    const PackageEntry* entry = FindPackageEntry(package.entries, name);
    return entry && !entry->folder && ReadWholeFile(entry->path, bytes);
}

bool ReadApplicationVersion(const Package& package, PeVersion& version, bool& fromLocked)
{
    std::string lockedName = APP_EXE_NAME;
    lockedName.replace(lockedName.find(".exe"), 4, ".locked");
    std::string bytes;
    fromLocked = false;
    if (ReadMember(package, APP_EXE_NAME, bytes) && ReadPeFileVersion(bytes, version) && version.major != 0) return true;
    fromLocked = true;
    return ReadMember(package, lockedName, bytes) && ReadPeFileVersion(bytes, version) && version.major != 0;
}
