#include "switches.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include <string.h>

// Switches and the program-name test are ASCII, so ASCII case folding is all that is needed; the
// other bytes of a code-page path are compared as they are.
static char FoldCase(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? (char)(ch - 'A' + 'a') : ch;
}

bool HasSilentSwitch(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i] && EqualNoCaseAscii(argv[i], "-s")) return true;
    return false;
}

bool IsRemovalRun(int argc, const char* const* argv)
{
    return argc >= 3 && argv[1] && argv[2] && strcmp(argv[1], "-delself") == 0;
}

bool HasInstallSwitch(int argc, const char* const* argv)
{
    return argc >= 2 && argv[1] && EqualNoCaseAscii(argv[1], "-install");
}

bool HasCloseWithoutAskingSwitch(int argc, const char* const* argv)
{
    for (int i = 2; i < argc; ++i)
        if (argv[i] && (EqualNoCaseAscii(argv[i], "/s") || EqualNoCaseAscii(argv[i], "-s"))) return true;
    return false;
}

bool IsSetupProgramPath(const char* programPath)
{
    // The name is written in lower case, as FoldCase gives the path's letters.
    const char* name = SETUP_EXE_NAME;
    for (const char* start = programPath; *start; ++start) {
        int i = 0;
        while (name[i] && FoldCase(start[i]) == name[i]) ++i;
        if (!name[i]) return true;
    }
    return false;
}

const char* FindRunLogFile(int argc, const char* const* argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] && EqualNoCaseAscii(argv[i], "-log")) return argv[i + 1];
    return nullptr;
}

const char* FindStarterHandle(int argc, const char* const* argv)
{
    for (int i = 3; i + 1 < argc; ++i)
        if (argv[i] && strcmp(argv[i], STARTER_SWITCH) == 0) return argv[i + 1];
    return nullptr;
}
