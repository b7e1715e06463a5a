#include "fileplace.h"
#include "core/reboot.h"
#include "logreader.h"
#include "names.h"
#include "pathtext.h"
#include "settings.h"
#include <string.h>

// The search text of CountFolderEntries: the folder, a backslash and the pattern.
#define SEARCH_TEXT_SIZE 520

static BOOL PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Moves a target that cannot be deleted (typically in use) out of the way to target + ".old",
// which goes at the next start of Windows.
static void MoveAsideInUse(const char* target)
{
    char oldPath[MAX_PATH];
    if (strlen(target) + 4 >= sizeof oldPath) return;
    strcpy(oldPath, target);
    strcat(oldPath, ".old");
    DeleteFileA(oldPath);
    MoveFileA(target, oldPath);
    DeleteOnReboot(oldPath);
}

BOOL CopyInstallFile(const char* name, const char* sourceDir, const char* targetDir, const char* newName)
{
    char sourceFolder[MAX_PATH], targetFolder[MAX_PATH];
    if (!JoinPath(sourceFolder, sizeof sourceFolder, sourceDir, "") ||
        !JoinPath(targetFolder, sizeof targetFolder, targetDir, ""))
        return FALSE;
    BOOL sameFolder = EqualNoCaseAscii(sourceFolder, targetFolder);
    if (sameFolder && !newName) return TRUE;

    char source[MAX_PATH], target[MAX_PATH];
    if (!JoinPath(source, sizeof source, sourceFolder, name)) return FALSE;
    DWORD sourceAttributes = GetFileAttributesA(source);
    // Only files are placed: a folder of the package is never copied, nor does it displace a target.
    if (sourceAttributes == INVALID_FILE_ATTRIBUTES || (sourceAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    if (!JoinPath(target, sizeof target, targetFolder, newName ? newName : name)) return FALSE;

    if (sameFolder && PathExists(target) && !DeleteFileA(target)) return TRUE;

    DWORD targetAttributes = GetFileAttributesA(target);
    if (targetAttributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesA(target, targetAttributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
        if (!DeleteFileA(target)) MoveAsideInUse(target);
    }
    return CopyFileA(source, target, FALSE);
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
        size_t start = strspn(chain, trim);
        memmove(chain, chain + start, length - start + 1);
        for (char* p = chain + 1; *p; p++) {
            if (*p != '\\') continue;
            *p = '\0';
            CreateDirectoryA(chain, nullptr);
            *p = '\\';
        }
    }
    CreateDirectoryA(folder, nullptr);
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
    const char* backslash = strrchr(pattern, '\\');
    BOOL foldersFit = TRUE;
    if (backslash) {
        char subFolder[MAX_PATH];
        size_t length = backslash - pattern;
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
            if (!CopyInstallFile(entry.cFileName, sourceFolder, targetFolder, nullptr)) break;
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
        if (IsSafeRelativeName(text) && IsSafeRelativeName(target))
            CopyInstallFile(text, g_strSourceDir, g_strInstallDir, target);
    } else if (IsSafeRelativeName(text)) {
        CopyMatchingFiles(text, g_strSourceDir, g_strInstallDir);
    }
}

static void MakeScriptFolder(const char* name)
{
    char folder[MAX_PATH];
    if (IsSafeRelativeName(name) && JoinPath(folder, sizeof folder, g_strInstallDir, name))
        CreateDirectoryA(folder, nullptr);
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
