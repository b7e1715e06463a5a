#include "switches.h"

// Switches and the program-name test are ASCII, so ASCII case folding is all that is needed; the
// other bytes of a code-page path are compared as they are.
static char FoldCase(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? (char)(ch - 'A' + 'a') : ch;
}

static bool EqualsNoCase(const char* text, const char* lowerSwitch)
{
    for (; *text && *lowerSwitch; ++text, ++lowerSwitch)
        if (FoldCase(*text) != *lowerSwitch) return false;
    return *text == 0 && *lowerSwitch == 0;
}

static bool EqualsExactly(const char* text, const char* word)
{
    for (; *text && *text == *word; ++text, ++word) {}
    return *text == *word;
}

bool HasSilentSwitch(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i] && EqualsNoCase(argv[i], "-s")) return true;
    return false;
}

bool IsRemovalRun(int argc, const char* const* argv)
{
    return argc >= 3 && argv[1] && argv[2] && EqualsExactly(argv[1], "-delself");
}

bool HasInstallSwitch(int argc, const char* const* argv)
{
    return argc >= 2 && argv[1] && EqualsNoCase(argv[1], "-install");
}

bool HasCloseWithoutAskingSwitch(int argc, const char* const* argv)
{
    for (int i = 2; i < argc; ++i)
        if (argv[i] && (EqualsNoCase(argv[i], "/s") || EqualsNoCase(argv[i], "-s"))) return true;
    return false;
}

bool IsSetupProgramPath(const char* programPath)
{
    static const char kName[] = "setup.exe";
    for (const char* start = programPath; *start; ++start) {
        int i = 0;
        while (kName[i] && FoldCase(start[i]) == kName[i]) ++i;
        if (!kName[i]) return true;
    }
    return false;
}
