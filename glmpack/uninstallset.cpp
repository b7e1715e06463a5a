#include "uninstallset.h"
#include "filenames.h"
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"

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
        return EqualNames(GetFolderPart(name), GetFolderPart(target)) && MatchesFileName(GetLastElement(name), GetLastElement(target));
    }
    return false;
}

bool IsRemovedAtUninstall(const Package& package, const std::string& target)
{
    // The log is deleted by name; the temporary copy deletes the uninstaller once it has ended.
    if (EqualNames(target, LOG_NAME) || EqualNames(target, UNINSTALLER_NAME)) return true;
    for (const ScriptPiece& piece : package.script.pieces)
        if (RecordDeletes(piece.text, target)) return true;
    return false;
}
