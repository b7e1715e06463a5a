// The stub's command line: what it reads for itself, and the setup's command line made from it.
#pragma once
#include <windows.h>

// "-s" or "/s" (any case) anywhere after the program name: no messages from the stub.
bool IsSilentRun(int argc, wchar_t** argv);
// The file after the first "-log" (any case), as the setup finds it; null when there is none.
const wchar_t* FindLogFile(int argc, wchar_t** argv);

// The command line that starts the setup program: its path, quoted, then every argument after
// the stub's own name, quoted so that the setup's splitting gives each one back as it was. The
// setup runs in its unpack folder, so the values that name places, the file of "-log" and the
// folder of "-instdir", are made whole against the stub's current folder first when they are
// relative (and do not look like a switch). Allocated on the process heap; null when out of memory.
wchar_t* MakeSetupCommandLine(const wchar_t* setupPath, int argc, wchar_t** argv);
