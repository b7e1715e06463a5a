// Names as the Windows file system takes them: "\" or "/" between folders, compared without
// regard to letter case, and with the wildcards "*" and "?" of a directory search.
#pragma once
#include <string>

// Equal names (1250) when letter case is not regarded.
bool EqualNames(const std::string& a, const std::string& b);

// The name (1250) matches the pattern (1250) of a directory search: "*" any run of characters,
// "?" any one, "*.*" every name. A directory search matches the pattern against a file's long name
// and against its short (8.3) name, which a long name gets: "*.htm" finds "page.html" by its short name "PAGE~1.HTM". Only the
// short name's extension is known beforehand (its first part is made by the file system), so only
// patterns of the form "*.ext" are matched against it.
bool MatchesFileName(const std::string& pattern, const std::string& name);

bool HasWildcard(const std::string& pattern);

// The name with "\" for every "/".
std::string ReplaceSlashes(std::string name);

// The folder part of a relative name, up to its last separator, with backslashes; "" when it has
// none. And the part after that separator.
std::string GetFolderPart(const std::string& name);
std::string GetLastElement(const std::string& name);
