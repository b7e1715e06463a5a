// One finding of the check: where, how grave, what the setup does there.
#pragma once
#include <string>
#include <vector>

enum class Severity { Warning, Error };

struct Diagnostic {
    std::string file;   // the package member, 1250 ("GlmUnInst.log")
    int line;           // from 1; 0 for the member as a whole
    Severity severity;
    std::string text;   // UTF-8
};

typedef std::vector<Diagnostic> Diagnostics;

// A name of the script or the package, quoted for a message (UTF-8).
std::string QuoteName(const std::string& name1250);

// "the setup refuses the name ... (why) and passes the line over", for a name that
// IsSafeRelativeName refuses.
std::string DescribeRefusedName(const std::string& name1250);
