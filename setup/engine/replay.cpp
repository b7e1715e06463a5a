#include "replay.h"
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include "engine/shelllink.h"
#include "engine/reboot.h"
#include "engine/runrecord.h"
#include <windows.h>
#include <string.h>

BOOL DeleteFileOrSchedule(const char* path)
{
    if (DeleteFileA(path)) {
        RecordDone("delete", path);
        return TRUE;
    }
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FALSE;
    if (DeleteOnReboot(path)) RecordRestartPending(path);
    else RecordFailure("delete", path, error);
    return FALSE;
}

static CString s_strSpared;

void SpareFromDeletion(const char* path) { s_strSpared = path ? path : ""; }

// The spared file under its long or its short (8.3) name in that folder.
static BOOL IsSpared(const char* path, const char* folder, const char* shortName)
{
    if (s_strSpared.IsEmpty()) return FALSE;
    char shortPath[MAX_PATH];
    return EqualNoCaseAscii(path, s_strSpared) ||
           (shortName[0] && JoinPath(shortPath, sizeof shortPath, folder, shortName) && EqualNoCaseAscii(shortPath, s_strSpared));
}

int DeleteMatchingFiles(const char* folder, const char* pattern)
{
    char base[MAX_PATH], search[MAX_PATH];
    if (!JoinPath(base, sizeof base, folder, "") || !JoinPath(search, sizeof search, base, pattern)) return 0;

    // Found names lie in the pattern's sub-folder: base + pattern up to its last separator.
    char entryFolder[MAX_PATH];
    const char* separator = FindLastSeparator(pattern);
    size_t folderPart = separator ? (size_t)(separator - pattern) + 1 : 0;
    strcpy(entryFolder, base);
    strncat(entryFolder, pattern, folderPart);  // fits: it is a prefix of search

    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(search, &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int deleted = 0;
    do {
        // A matching sub-folder is left alone; a path that does not fit is passed over.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char path[MAX_PATH];
        if (!JoinPath(path, sizeof path, entryFolder, entry.cFileName) || IsSpared(path, entryFolder, entry.cAlternateFileName))
            continue;
        // The search already gave the attributes; they are written back only when a bit to clear is
        // set, which spares two file-system calls per file of an uninstall.
        DWORD clear = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
        if (entry.dwFileAttributes & clear) SetFileAttributesA(path, entry.dwFileAttributes & ~clear);
        if (DeleteFileOrSchedule(path)) deleted++;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return deleted;
}

// Removes the folder, then each parent in turn while removal succeeds.
static void RemoveFolderAndEmptyParents(const char* path)
{
    CString folder(path);
    while (!folder.IsEmpty() && RemoveDirectoryA(folder)) folder = GetParentFolder(folder);
}

void UndoLinksAndMadeDirs(const char* logPath)
{
    FILE* log = fopen(logPath, "r");
    if (!log) return;
    char line[LOG_LINE_SIZE];
    char* text;
    // Every link first, so a group folder that held only logged links is empty for its record.
    while (ReadLogLine(log, line))
        if ((text = MatchRecord(line, REC_SHELL_LINK)) && HasLinkExtension(text)) DeleteFileOrSchedule(text);
    rewind(log);
    while (ReadLogLine(log, line))
        if ((text = MatchRecord(line, REC_MADE_DIR))) RemoveFolderAndEmptyParents(text);
    fclose(log);
}

// A file record: the text up to a " | " remark; of the rename form only the target.
static void DeleteRecordFiles(char* text, const char* installFolder)
{
    CutRemark(text);
    char* target = SplitRenameForm(text);
    const char* name = target ? target : text;
    if (IsSafeRelativeName(name)) DeleteMatchingFiles(installFolder, name);
}

void UndoFileRecords(const char* logPath, const char* installFolder, const char* onlyPrefix)
{
    const char* allPrefixes[] = { REC_FILE_COPY, REC_FILE_OVERWRITE, REC_FILE_DEL };
    const char* const* prefixes = onlyPrefix ? &onlyPrefix : allPrefixes;
    int prefixCount = onlyPrefix ? 1 : 3;

    FILE* log = fopen(logPath, "r");
    if (!log) return;
    char line[LOG_LINE_SIZE];
    char* text;
    while (ReadLogLine(log, line)) {
        for (int i = 0; i < prefixCount; i++) {
            if ((text = MatchRecord(line, prefixes[i]))) {
                DeleteRecordFiles(text, installFolder);
                break;
            }
        }
    }
    rewind(log);
    while (ReadLogLine(log, line)) {
        char folder[MAX_PATH];
        if ((text = MatchRecord(line, REC_MAKE_DIR)) && IsSafeRelativeName(text) &&
            JoinPath(folder, sizeof folder, installFolder, text))
            RemoveDirectoryA(folder);
    }
    fclose(log);
}
