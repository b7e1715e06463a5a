#include "uninstallset.h"
#include "wildcard.h"
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"

// The folder part (up to the last separator, backslashes only) and the last element of a name.
static void SplitName(const std::string& name, std::string& folder, std::string& last)
{
    const char* separator = FindLastSeparator(name.c_str());
    folder = separator ? name.substr(0, separator - name.c_str()) : std::string();
    for (char& ch : folder)
        if (ch == '/') ch = '\\';
    last = separator ? std::string(separator + 1) : name;
}

static bool RecordDeletes(std::string record, const std::string& target)
{
    static const char* const prefixes[] = { REC_FILE_COPY, REC_FILE_OVERWRITE, REC_FILE_DEL };
    for (const char* prefix : prefixes) {
        std::vector<char> line(record.begin(), record.end());
        line.push_back('\0');
        char* text = MatchRecord(line.data(), prefix);
        if (!text) continue;
        CutRemark(text);
        char* renamed = SplitRenameForm(text);
        const char* name = renamed ? renamed : text;
        if (!IsSafeRelativeName(name)) return false;
        std::string patternFolder, pattern, targetFolder, targetName;
        SplitName(name, patternFolder, pattern);
        SplitName(target, targetFolder, targetName);
        return EqualNames(patternFolder, targetFolder) && MatchesFileName(pattern, targetName);
    }
    return false;
}

bool IsRemovedAtUninstall(const Package& package, const std::string& target)
{
    // The log goes last; the temporary copy deletes the installed uninstaller first.
    if (EqualNames(target, LOG_NAME) || EqualNames(target, UNINSTALLER_NAME)) return true;
    for (const ScriptPiece& piece : package.script.pieces)
        if (RecordDeletes(piece.text, target)) return true;
    return false;
}
