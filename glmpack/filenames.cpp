#include "filenames.h"
#include "codepage.h"
#include "engine/pathtext.h"

static bool SameLetter(char a, char b)
{
    return UpperCaseOf1250((unsigned char)a) == UpperCaseOf1250((unsigned char)b);
}

bool EqualNames(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (!SameLetter(a[i], b[i])) return false;
    return true;
}

// Matching with backtracking to the last "*", linear in practice.
static bool Matches(const char* pattern, const char* name)
{
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern && SameLetter(*pattern, *name))) {
            pattern++;
            name++;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') pattern++;
    return *pattern == '\0';
}

static bool MatchesWildcard(const std::string& pattern, const std::string& name)
{
    // A directory search takes "*.*" for every name, those without a dot too.
    if (pattern == "*.*") return true;
    return Matches(pattern.c_str(), name.c_str());
}

bool HasWildcard(const std::string& pattern)
{
    return pattern.find_first_of("*?") != std::string::npos;
}

// A name that is a valid 8.3 name already has no short name of its own.
static bool IsShortName(const std::string& name)
{
    size_t dot = name.find('.');
    size_t base = dot == std::string::npos ? name.size() : dot;
    size_t extension = dot == std::string::npos ? 0 : name.size() - dot - 1;
    if (base == 0 || base > 8 || extension > 3) return false;
    if (dot != std::string::npos && name.find('.', dot + 1) != std::string::npos) return false;
    return name.find_first_of(" +,;=[]") == std::string::npos;
}

bool MatchesFileName(const std::string& pattern, const std::string& name)
{
    if (MatchesWildcard(pattern, name)) return true;
    size_t patternDot = pattern.rfind('.');
    if (patternDot == std::string::npos || patternDot == 0 || IsShortName(name)) return false;
    if (pattern.find_first_not_of('*') != patternDot) return false;
    size_t nameDot = name.rfind('.');
    std::string shortExtension = nameDot == std::string::npos ? std::string() : name.substr(nameDot + 1, 3);
    return Matches(pattern.c_str() + patternDot + 1, shortExtension.c_str());
}

std::string ReplaceSlashes(std::string name)
{
    for (char& ch : name)
        if (ch == '/') ch = '\\';
    return name;
}

std::string GetFolderPart(const std::string& name)
{
    const char* separator = FindLastSeparator(name.c_str());
    return separator ? ReplaceSlashes(name.substr(0, separator - name.c_str())) : std::string();
}

std::string GetLastElement(const std::string& name)
{
    const char* separator = FindLastSeparator(name.c_str());
    return separator ? std::string(separator + 1) : name;
}
