// Names compared as the Windows file system compares them: without regard to letter case, and
// with the wildcards "*" and "?" of a directory search.
#pragma once
#include <string>

// Equal names (1250) when letter case is not regarded.
bool EqualNames(const std::string& a, const std::string& b);

// The name (1250) matches the pattern (1250) of a directory search: "*" any run of characters,
// "?" any one, "*.*" every name.
bool MatchesWildcard(const std::string& pattern, const std::string& name);

bool HasWildcard(const std::string& pattern);
