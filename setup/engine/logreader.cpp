#include "logreader.h"
#include <string.h>

static bool IsWhiteSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

bool ReadLogLine(FILE* file, char* line)
{
    if (!fgets(line, LOG_LINE_SIZE, file)) return false;
    // fgets stops at a line end, not at a NUL byte: the piece's text is what precedes the first
    // NUL, which may be nothing at all.
    size_t length = strlen(line);
    while (length > 1 && (unsigned char)line[length - 1] <= 0x20) length--;
    line[length] = '\0';
    return true;
}

char* MatchRecord(char* line, const char* prefix)
{
    size_t length = strlen(prefix);
    return strncmp(line, prefix, length) == 0 ? line + length : nullptr;
}

char* SplitRenameForm(char* text)
{
    char* mark = strchr(text, '>');
    if (!mark) return nullptr;
    *mark = '\0';
    char* end = mark;
    while (end > text && IsWhiteSpace(end[-1])) *--end = '\0';
    char* target = mark + 1;
    while (IsWhiteSpace(*target)) target++;
    return target;
}

void CutRemark(char* text)
{
    char* remark = strstr(text, " | ");
    if (remark) *remark = '\0';
}
