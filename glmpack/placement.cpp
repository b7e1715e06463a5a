#include "placement.h"
#include "filenames.h"
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include <string.h>

namespace {

class PlacementRun {
public:
    PlacementRun(const std::vector<PackageEntry>& package, std::vector<InstallStep>& steps, Diagnostics& diagnostics)
        : m_package(package), m_steps(steps), m_out(diagnostics)
    {
    }

    void RunLine(const ScriptPiece& piece)
    {
        std::string text;
        if (Take(piece.text, REC_FILE_COPY, text)) CopyFiles(piece.line, text);
        else if (Take(piece.text, REC_MAKE_DIR, text)) MakeFolder(piece.line, text);
    }

    // Before the script, the setup places two files of its own: the script as the installation
    // log, which makes the installation folder, and the uninstaller. The script's own lines for
    // them then leave them where they are.
    void PlaceAhead()
    {
        for (const char* name : { LOG_NAME, UNINSTALLER_NAME }) {
            const PackageEntry* entry = FindPackageEntry(m_package, name);
            if (!entry || entry->folder) continue;
            MakeInstallFolder(0);
            m_steps.push_back({ InstallStep::PLACE_FILE, 0, entry->name, entry->name });
        }
    }

private:
    const std::vector<PackageEntry>& m_package;
    std::vector<InstallStep>& m_steps;
    Diagnostics& m_out;
    bool m_installFolderMade = false;
    std::vector<std::string> m_madeFolders;

    static bool Take(const std::string& line, const char* prefix, std::string& text)
    {
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back('\0');
        const char* rest = MatchRecord(buffer.data(), prefix);
        if (rest) text = rest;
        return rest != nullptr;
    }

    void Report(int line, Severity severity, const std::string& text) { m_out.push_back({ LOG_NAME, line, severity, text }); }

    bool FolderMade(const std::string& folder) const
    {
        if (folder.empty()) return m_installFolderMade;
        for (const std::string& made : m_madeFolders)
            if (EqualNames(made, folder)) return true;
        return false;
    }

    void MakeInstallFolder(int line)
    {
        if (m_installFolderMade) return;
        m_installFolderMade = true;
        m_steps.push_back({ InstallStep::MAKE_FOLDER, line, "", "" });
    }

    // The target's folder is there when the file is placed; else the copy fails.
    bool ReportMissingTargetFolder(int line, const std::string& target)
    {
        std::string folder = GetFolderPart(target);
        if (!m_installFolderMade) {
            Report(line, Severity::Error, "the installation folder is not there yet (no earlier line copied a file): the setup cannot place " + QuoteName(target));
            return true;
        }
        if (!FolderMade(folder)) {
            Report(line, Severity::Error, "no earlier \"Make Dir: \" line made the sub-folder " + QuoteName(folder) + ": the setup cannot place " + QuoteName(target));
            return true;
        }
        return false;
    }

    // A name the file system refuses: the copy or the folder fails.
    bool ReportInvalidCharacter(int line, const std::string& name)
    {
        size_t at = name.find_first_of("<>\"|?*");
        if (at == std::string::npos) return false;
        Report(line, Severity::Error, "the name " + QuoteName(name) + " holds \"" + name[at] + "\", which no Windows file name can: the line does nothing");
        return true;
    }

    void PlaceFile(int line, const std::string& source, const std::string& target)
    {
        for (const InstallStep& step : m_steps) {
            if (step.kind != InstallStep::PLACE_FILE || !EqualNames(step.target, target)) continue;
            if (step.line == 0) return;
            Report(line, Severity::Warning, "replaces " + QuoteName(target) + ", placed by line " + std::to_string(step.line));
            break;
        }
        m_steps.push_back({ InstallStep::PLACE_FILE, line, source, target });
    }

    void CopyFiles(int line, std::string text)
    {
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back('\0');
        const char* target = SplitRenameForm(buffer.data());
        if (target) CopyRenamed(line, buffer.data(), target);
        else CopyPattern(line, text);
    }

    void CopyRenamed(int line, const std::string& source, const std::string& target)
    {
        if (target.empty()) {
            Report(line, Severity::Error, "no name after \">\": the setup copies nothing");
            return;
        }
        if (!IsSafeRelativeName(source.c_str()) || !IsSafeRelativeName(target.c_str())) {
            Report(line, Severity::Error, DescribeRefusedName(IsSafeRelativeName(source.c_str()) ? target : source));
            return;
        }
        if (ReportInvalidCharacter(line, target)) return;
        const PackageEntry* entry = FindPackageEntry(m_package, source);
        if (!entry || entry->folder) {
            Report(line, Severity::Error, QuoteName(source) + (entry ? " is a folder; the setup places files only" : " is not in the package"));
            return;
        }
        if (ReportMissingTargetFolder(line, ReplaceSlashes(target))) return;
        PlaceFile(line, entry->name, ReplaceSlashes(target));
    }

    void CopyPattern(int line, const std::string& pattern)
    {
        if (!IsSafeRelativeName(pattern.c_str())) {
            Report(line, Severity::Error, DescribeRefusedName(pattern));
            return;
        }
        std::string folder = GetFolderPart(pattern), filePattern = GetLastElement(pattern);
        std::vector<const PackageEntry*> matches;
        for (const PackageEntry& entry : m_package)
            if (EqualNames(GetFolderPart(entry.name), folder) && MatchesFileName(filePattern, GetLastElement(entry.name)))
                matches.push_back(&entry);
        if (matches.empty()) {
            std::string what = HasWildcard(filePattern) ? "the pattern " + QuoteName(pattern) + " matches no file of the package"
                                                        : QuoteName(pattern) + " is not in the package";
            if (pattern.find(" | ") != std::string::npos) what += " (the setup does not cut a \" | \" remark on a \"File Copy: \" line)";
            Report(line, Severity::Error, what);
            return;
        }
        MakeInstallFolder(line);
        if (!folder.empty() && ReportMissingTargetFolder(line, pattern)) return;
        for (const PackageEntry* entry : matches) {
            if (entry->folder) {
                Report(line, Severity::Error, "the pattern " + QuoteName(pattern) + " matches the folder " + QuoteName(entry->name) +
                                                 ", where the setup stops copying the line's files");
                return;
            }
            PlaceFile(line, entry->name, entry->name);
        }
    }

    // One level, inside the installation folder.
    void MakeFolder(int line, const std::string& name)
    {
        if (!IsSafeRelativeName(name.c_str())) {
            Report(line, Severity::Error, DescribeRefusedName(name));
            return;
        }
        if (ReportInvalidCharacter(line, name)) return;
        std::string folder = ReplaceSlashes(name);
        while (!folder.empty() && folder.back() == '\\') folder.pop_back();
        if (!m_installFolderMade) {
            Report(line, Severity::Error, "the installation folder is not there yet (no earlier line copied a file): the setup cannot make " + QuoteName(folder));
            return;
        }
        if (!FolderMade(GetFolderPart(folder))) {
            Report(line, Severity::Error, "the setup makes one folder level a line: " + QuoteName(GetFolderPart(folder)) + " is not made before " + QuoteName(folder));
            return;
        }
        if (FolderMade(folder)) return;
        m_madeFolders.push_back(folder);
        m_steps.push_back({ InstallStep::MAKE_FOLDER, line, "", folder });
    }
};

}  // namespace

const PackageEntry* FindPackageEntry(const std::vector<PackageEntry>& package, const std::string& name)
{
    std::string wanted = ReplaceSlashes(name);
    for (const PackageEntry& entry : package)
        if (EqualNames(entry.name, wanted)) return &entry;
    return nullptr;
}

void SimulatePlacement(const Script& script, const std::vector<PackageEntry>& package,
                       std::vector<InstallStep>& steps, Diagnostics& diagnostics)
{
    PlacementRun run(package, steps, diagnostics);
    run.PlaceAhead();
    for (const ScriptPiece& piece : script.pieces) run.RunLine(piece);
}
