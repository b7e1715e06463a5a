#include "fileplace.h"
#include "reboot.h"
#include "logreader.h"
#include "names.h"
#include "pathtext.h"
#include "settings.h"
#include "madelist.h"
#include "runrecord.h"
#include <string.h>

// The search text of CountFolderEntries: the folder, a backslash and the pattern.
#define SEARCH_TEXT_SIZE 520

// The target's name with a suffix; FALSE when it does not fit.
static BOOL NameBeside(char* name, const char* target, const char* suffix)
{
    if (strlen(target) + strlen(suffix) >= MAX_PATH) return FALSE;
    strcpy(name, target);
    strcat(name, suffix);
    return TRUE;
}

// Moves a target that cannot be deleted (typically in use) out of the way to target + ".old".
// FALSE when it could not be moved.
static BOOL MoveAsideInUse(const char* target, char* oldPath)
{
    if (!NameBeside(oldPath, target, ".old")) return FALSE;
    DeleteFileA(oldPath);
    return MoveFileA(target, oldPath);
}

// Replaces an existing target in one rename of a whole copy beside it (target + ".glmnew"), so that
// a run cut off at any moment leaves the earlier file or the new one, never none and never a
// cut-off one. FALSE, with nothing left beside the target, when the copy or the rename fails
// (the target in use, a full drive).
static BOOL ReplaceWhole(const char* source, const char* target)
{
    char staged[MAX_PATH];
    if (!NameBeside(staged, target, ".glmnew")) return FALSE;
    if (CopyFileA(source, staged, FALSE) && MoveFileExA(staged, target, MOVEFILE_REPLACE_EXISTING)) return TRUE;
    SetFileAttributesA(staged, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(staged);
    return FALSE;
}

// Errors of a copy that made no target: the source or the target could not be opened or made.
static BOOL IsOpenError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: case ERROR_BAD_PATHNAME: case ERROR_WRITE_PROTECT:
        return TRUE;
    }
    return FALSE;
}

// A copy that failed while writing leaves a cut-off file, which must not stand where a program
// file belongs.
static BOOL FailCopy(const char* target, BOOL removePartial)
{
    DWORD error = GetLastError();
    if (removePartial) DeleteFileA(target);
    RecordFailure("copy", target, error);
    return FALSE;
}

// A source or target path longer than MAX_PATH: the file cannot be placed.
static BOOL FailLongPath(const char* folder, const char* name)
{
    RecordFailure("copy", CString(folder) + "\\" + name, ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
}

// What this run placed: the bytes of the files, and the targets of the files placed ahead of the
// script (two: the log and the uninstaller).
static ULONGLONG s_placedBytes;
static CString s_placedAhead[2];

void BeginPlacement()
{
    s_placedBytes = 0;
    for (CString& placed : s_placedAhead) placed.Empty();
}

ULONGLONG CountPlacedBytes() { return s_placedBytes; }

static BOOL IsPlacedAhead(const char* target)
{
    for (const char* placed : s_placedAhead)
        if (EqualNoCaseAscii(placed, target)) return TRUE;
    return FALSE;
}

BOOL PlaceFileAhead(const char* name)
{
    for (CString& placed : s_placedAhead) {
        if (!placed.IsEmpty()) continue;
        if (CopyMatchingFiles(name, g_strSourceDir, g_strInstallDir) == 0) return FALSE;
        placed = g_strInstallDir + "\\" + name;
        return TRUE;
    }
    return FALSE;
}

BOOL CopyInstallFile(const char* name, const char* sourceDir, const char* targetDir, const char* newName)
{
    char sourceFolder[MAX_PATH], targetFolder[MAX_PATH];
    if (!JoinPath(sourceFolder, sizeof sourceFolder, sourceDir, "")) return FailLongPath(sourceDir, name);
    if (!JoinPath(targetFolder, sizeof targetFolder, targetDir, "")) return FailLongPath(targetDir, name);
    BOOL sameFolder = EqualNoCaseAscii(sourceFolder, targetFolder);
    if (sameFolder && !newName) return TRUE;

    char source[MAX_PATH], target[MAX_PATH];
    if (!JoinPath(source, sizeof source, sourceFolder, name)) return FailLongPath(sourceDir, name);
    WIN32_FILE_ATTRIBUTE_DATA sourceData;
    // Only files are placed: a folder of the package is never copied, nor does it displace a target.
    if (!GetFileAttributesExA(source, GetFileExInfoStandard, &sourceData) ||
        (sourceData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    if (!JoinPath(target, sizeof target, targetFolder, newName ? newName : name))
        return FailLongPath(targetDir, newName ? newName : name);
    // A file placed ahead of the script is whole where it is: copied again, it would be missing
    // for a moment.
    if (IsPlacedAhead(target)) return TRUE;
    ULONGLONG size = ((ULONGLONG)sourceData.nFileSizeHigh << 32) | sourceData.nFileSizeLow;
    // Most targets of an installation are new: one copy that refuses to overwrite places them
    // without first probing the target (for an absent name Wine searches the whole folder).
    if (CopyFileA(source, target, TRUE)) {
        NoteMadeFile(target);
        RecordDone("copy", target);
        s_placedBytes += size;
        return TRUE;
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return FailCopy(target, !IsOpenError(error));

    DWORD targetAttributes = GetFileAttributesA(target);
    char oldPath[MAX_PATH] = "";
    BOOL targetGone = TRUE, replaced = FALSE;
    if (targetAttributes != INVALID_FILE_ATTRIBUTES) {
        // A folder in the target's place is left alone, as a folder of the package is.
        if (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FailCopy(target, FALSE);
        }
        // The source itself under another spelling is already in place: deleting the target
        // would delete the source.
        if (IsSameFile(source, target)) return TRUE;
        if (sameFolder) {
            if (!DeleteFileA(target)) return TRUE;
        } else {
            SetFileAttributesA(target, targetAttributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
            replaced = ReplaceWhole(source, target);
            if (!replaced && !DeleteFileA(target) && !MoveAsideInUse(target, oldPath)) targetGone = FALSE;
        }
    }
    if (!replaced && !CopyFileA(source, target, FALSE)) {
        // A target that could be neither deleted nor moved is still the earlier file.
        FailCopy(target, targetGone);
        // The file that was in use goes back to its name.
        if (oldPath[0]) MoveFileA(oldPath, target);
        return FALSE;
    }
    // The file that was in use goes at the next start of Windows.
    if (oldPath[0]) {
        if (DeleteOnReboot(oldPath)) RecordRestartPending(oldPath);
        else RecordFailure("schedule", oldPath, GetLastError());
    }
    RecordDone("copy", target);
    s_placedBytes += size;
    return TRUE;
}

// The part of a UNC path below its "\\server\share", which is there or not as a whole; the path
// itself when it is not a UNC path.
static char* SkipUncShare(char* path)
{
    if (path[0] != '\\' || path[1] != '\\') return path;
    char* server = strchr(path + 2, '\\');
    char* share = server ? strchr(server + 1, '\\') : nullptr;
    return share ? share + 1 : path + strlen(path);
}

BOOL MakeFolder(const char* folder)
{
    if (CreateDirectoryA(folder, nullptr)) {
        NoteMadeFolder(folder);
        RecordDone("make folder", folder);
        return TRUE;
    }
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return TRUE;
    RecordFailure("make folder", folder, error);
    return FALSE;
}

// Creates the folder with every missing parent. Parents that exist and a leading drive such as
// "C:" only make their creation fail, which is harmless.
static void CreateFolderChain(const char* folder)
{
    char chain[MAX_PATH];
    if (JoinPath(chain, sizeof chain, "", folder)) {
        for (char* p = chain; *p; p++)
            if (*p == '/') *p = '\\';
        const char* trim = " \t\r\n\\";
        size_t length = strlen(chain);
        while (length > 0 && strchr(trim, chain[length - 1])) chain[--length] = '\0';
        char* first = SkipUncShare(chain);
        if (first == chain) {
            size_t start = strspn(chain, trim);
            memmove(chain, chain + start, length - start + 1);
        }
        // Each backslash after the first character ends a parent.
        for (char* p = first; *p; p++) {
            if (*p != '\\' || p == chain) continue;
            *p = '\0';
            if (CreateDirectoryA(chain, nullptr)) NoteMadeFolder(chain);
            *p = '\\';
        }
    }
    MakeFolder(folder);
}

int CopyMatchingFiles(const char* pattern, const char* sourceDir, const char* targetDir)
{
    char search[MAX_PATH];
    if (!JoinPath(search, sizeof search, sourceDir, pattern)) return 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(search, &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;

    if (!PathExists(targetDir)) CreateFolderChain(targetDir);

    // A pattern with a sub-folder path takes its files from that sub-folder and places them into
    // the same sub-folder of the target, which the script must have made.
    char sourceFolder[MAX_PATH], targetFolder[MAX_PATH];
    const char* separator = FindLastSeparator(pattern);
    BOOL foldersFit = TRUE;
    if (separator) {
        char subFolder[MAX_PATH];
        size_t length = separator - pattern;
        if (length < sizeof subFolder) {
            memcpy(subFolder, pattern, length);
            subFolder[length] = '\0';
            foldersFit = JoinPath(sourceFolder, sizeof sourceFolder, sourceDir, subFolder) &&
                         JoinPath(targetFolder, sizeof targetFolder, targetDir, subFolder);
        } else {
            foldersFit = FALSE;
        }
    } else {
        foldersFit = JoinPath(sourceFolder, sizeof sourceFolder, sourceDir, "") &&
                     JoinPath(targetFolder, sizeof targetFolder, targetDir, "");
    }

    int copied = 0;
    if (foldersFit) {
        do {
            if (IsDotEntry(entry.cFileName)) continue;
            int failures = CountRunFailures();
            if (!CopyInstallFile(entry.cFileName, sourceFolder, targetFolder, nullptr)) {
                // The pattern stops here; an entry that is a folder is a failure of its own.
                if (CountRunFailures() == failures)
                    RecordFailure("copy", CString(sourceFolder) + entry.cFileName, ERROR_DIRECTORY);
                break;
            }
            copied++;
        } while (FindNextFileA(find, &entry));
    }
    FindClose(find);
    return copied;
}

int CountFolderEntries(const char* pattern, const char* folder)
{
    char search[SEARCH_TEXT_SIZE];
    if (!JoinPath(search, sizeof search, folder, pattern)) return 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(search, &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!IsDotEntry(entry.cFileName)) count++;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return count;
}

// "File Copy: " line: the rename form copies one file under its new name, anything else is a
// pattern used whole (a " | " remark is not cut here).
static void CopyScriptFiles(char* text)
{
    char* target = SplitRenameForm(text);
    if (target) {
        if (IsSafeRelativeName(text) && IsSafeRelativeName(target) &&
            !CopyInstallFile(text, g_strSourceDir, g_strInstallDir, target) && !PathExists(g_strSourceDir + "\\" + text))
            RecordFailure("copy", g_strSourceDir + "\\" + text, ERROR_FILE_NOT_FOUND);
    } else if (IsSafeRelativeName(text)) {
        CopyMatchingFiles(text, g_strSourceDir, g_strInstallDir);
    }
}

static void MakeScriptFolder(const char* name)
{
    char folder[MAX_PATH];
    if (IsSafeRelativeName(name) && JoinPath(folder, sizeof folder, g_strInstallDir, name)) MakeFolder(folder);
}

void RunInstallScript(const char* scriptPath)
{
    FILE* script = fopen(scriptPath, "r");
    if (!script) return;
    char line[LOG_LINE_SIZE];
    while (ReadLogLine(script, line)) {
        char* text;
        if ((text = MatchRecord(line, REC_FILE_COPY))) CopyScriptFiles(text);
        else if ((text = MatchRecord(line, REC_MAKE_DIR))) MakeScriptFolder(text);
    }
    fclose(script);
}
