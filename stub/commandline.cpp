#include "commandline.h"
#include "outcome.h"

static bool IsLogSwitch(const wchar_t* argument)
{
    return lstrcmpiW(argument, L"-log") == 0;
}

bool IsSilentRun(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; i++)
        if (lstrcmpiW(argv[i], L"-s") == 0 || lstrcmpiW(argv[i], L"/s") == 0) return true;
    return false;
}

const wchar_t* FindLogFile(int argc, wchar_t** argv)
{
    for (int i = 1; i + 1 < argc; i++)
        if (IsLogSwitch(argv[i])) return argv[i + 1];
    return nullptr;
}

// Appends the argument as the C runtime's splitting reads it back: in quotes when it is empty or
// holds a blank, a tab or a quote; inside quotes, backslashes before a quote or the closing quote
// are doubled and a quote is escaped.
static wchar_t* AppendQuoted(wchar_t* out, const wchar_t* argument)
{
    bool plain = *argument != 0;
    for (const wchar_t* ch = argument; *ch; ch++)
        if (*ch == L' ' || *ch == L'\t' || *ch == L'\n' || *ch == L'\v' || *ch == L'"') plain = false;
    if (plain) {
        while (*argument) *out++ = *argument++;
        return out;
    }
    *out++ = L'"';
    for (const wchar_t* ch = argument;; ch++) {
        int backslashes = 0;
        while (*ch == L'\\') backslashes++, ch++;
        if (*ch == 0 || *ch == L'"') backslashes *= 2;
        while (backslashes-- > 0) *out++ = L'\\';
        if (*ch == 0) break;
        if (*ch == L'"') *out++ = L'\\';
        *out++ = *ch;
    }
    *out++ = L'"';
    return out;
}

// A relative place made whole against the current folder; "X:\", "X:/" and "\\" are whole already.
static const wchar_t* MakeWholePlace(const wchar_t* value, wchar_t* buffer)
{
    if (value[0] == L'-' || value[0] == L'/' || value[0] == 0) return value;
    if (value[0] == L'\\' && value[1] == L'\\') return value;
    if (value[0] && value[1] == L':' && (value[2] == L'\\' || value[2] == L'/')) return value;
    DWORD length = GetFullPathNameW(value, PATH_BUFFER, buffer, nullptr);
    return length > 0 && length < PATH_BUFFER ? buffer : value;
}

wchar_t* MakeSetupCommandLine(const wchar_t* setupPath, int argc, wchar_t** argv)
{
    // Quoting at most doubles an argument and adds two quotes and a blank.
    size_t size = 2 * lstrlenW(setupPath) + 4;
    for (int i = 1; i < argc; i++) size += 2 * lstrlenW(argv[i]) + 4 + 2 * PATH_BUFFER;
    wchar_t* line = (wchar_t*)HeapAlloc(GetProcessHeap(), 0, size * sizeof(wchar_t));
    if (!line) return nullptr;
    wchar_t* out = AppendQuoted(line, setupPath);
    bool logSeen = false;
    for (int i = 1; i < argc; i++) {
        wchar_t whole[PATH_BUFFER];
        const wchar_t* argument = argv[i];
        bool logFile = i > 1 && !logSeen && IsLogSwitch(argv[i - 1]);
        if (logFile) logSeen = true;
        if (logFile || (i > 1 && lstrcmpW(argv[i - 1], L"-instdir") == 0)) argument = MakeWholePlace(argument, whole);
        *out++ = L' ';
        out = AppendQuoted(out, argument);
    }
    *out = 0;
    return line;
}
