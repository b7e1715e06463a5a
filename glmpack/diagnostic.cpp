#include "diagnostic.h"
#include "codepage.h"

std::string QuoteName(const std::string& name1250)
{
    return "\"" + Utf8From1250(name1250) + "\"";
}

std::string DescribeRefusedName(const std::string& name)
{
    const char* why = name.empty() ? "empty"
                      : name[0] == '\\' || name[0] == '/' ? "rooted"
                      : name.find(':') != std::string::npos ? "a drive or \":\""
                                                            : "a \"..\" element";
    return "the setup refuses the name " + QuoteName(name) + " (" + why + ") and passes the line over";
}
