// Fuzz target: install scripts and installation logs through the line reader and the record
// recognition, with the name handling the replay and the script execution apply to each record.
// fuzz-sources: setup/engine/logreader.cpp setup/engine/pathtext.cpp
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"

static const char* const kPrefixes[] = { REC_FILE_COPY, REC_FILE_OVERWRITE, REC_FILE_DEL,
                                         REC_MAKE_DIR, REC_MADE_DIR, REC_SHELL_LINK };

// An element ".." anywhere in the name, found independently of the checker under test.
static bool HasParentElement(const char* name)
{
    for (const char* element = name;;) {
        size_t length = strcspn(element, "\\/");
        if (length == 2 && element[0] == '.' && element[1] == '.') return true;
        if (!element[length]) return false;
        element += length + 1;
    }
}

// A record's text as the readers use it: the rename form split, the remark cut, the name checked
// and joined to a folder in a path-sized buffer.
static void UseRecordText(const char* text, bool cutRemark)
{
    char copy[LOG_LINE_SIZE];
    size_t length = strlen(text);
    if (length >= sizeof copy) abort();
    memcpy(copy, text, length + 1);
    if (cutRemark) CutRemark(copy);
    char* target = SplitRenameForm(copy);
    if (target && (target < copy || target > copy + length)) abort();
    const char* name = target ? target : copy;
    if (IsSafeRelativeName(name)) {
        if (name[0] == '\\' || name[0] == '/' || strchr(name, ':') || HasParentElement(name)) abort();
        char path[260];
        if (JoinPath(path, sizeof path, "C:\\Program Files\\Glimra 5", name) && strlen(path) >= sizeof path) abort();
    }
    HasLinkExtension(name);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size == 0) return 0;
    FILE* file = fmemopen((void*)data, size, "r");
    if (!file) return 0;
    char line[LOG_LINE_SIZE];
    while (ReadLogLine(file, line)) {
        size_t length = strlen(line);
        // A piece holds at most 511 bytes and keeps no trailing control byte but its first one.
        if (length >= LOG_LINE_SIZE) abort();
        if (length > 1 && (unsigned char)line[length - 1] <= 0x20) abort();
        for (const char* prefix : kPrefixes) {
            char* text = MatchRecord(line, prefix);
            if (!text) continue;
            if (text != line + strlen(prefix) || strncmp(line, prefix, strlen(prefix)) != 0) abort();
            UseRecordText(text, true);   // the replay and "File Del: " cut the remark
            UseRecordText(text, false);  // the script's "File Copy: " does not
        }
    }
    fclose(file);
    return 0;
}
