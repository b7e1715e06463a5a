#include "wildcard.h"
#include "codepage.h"

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

bool MatchesWildcard(const std::string& pattern, const std::string& name)
{
    // A directory search takes "*.*" for every name, those without a dot too.
    if (pattern == "*.*") return true;
    return Matches(pattern.c_str(), name.c_str());
}

bool HasWildcard(const std::string& pattern)
{
    return pattern.find_first_of("*?") != std::string::npos;
}
