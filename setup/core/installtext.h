// The installation driver's text logic: option switches, version numbers and the lines of the
// Internet shortcut (the old installation log is read with engine/logreader.h). Free of Win32,
// so it can be built natively too.
#pragma once

#define INSTALL_PATH_SIZE 260

// The options a fresh installation takes from its command line.
struct InstallSwitches {
    char installDir[INSTALL_PATH_SIZE]; // "-instdir" folder without one trailing slash; empty: none
    int runAfter;                       // "-runafter"
    int allUsers;                       // "-allusers"
    int autoStart;                      // "-autostart"
    int noDesktopIcon;                  // "-nodeskico"
};

// Tells whether a file or folder of that name exists.
typedef int (*PathExistsFunc)(const char* path);

// Scans the arguments after the program name. "-instdir" is case-sensitive and takes the next
// argument when that names an existing file or folder (a later one overrides, also with an empty
// result); the other switches are recognised in any letter case.
void ScanInstallSwitches(int argc, const char* const* argv, PathExistsFunc pathExists,
                         InstallSwitches* switches);

// ((major * 100 + minor) * 100 + release) * 100 + build, in unsigned 32-bit arithmetic.
unsigned int ComposeVersionNumber(int major, int minor, int release, int build);

// For a line beginning with "URL=http://": copies the part from its first question mark up to
// the line end (CR and LF excluded) into query (empty without a question mark, cut to fit) and
// returns 1. Any other line: returns 0 and leaves query alone.
int TakeUrlQuery(const char* line, char* query, int querySize);

// Reads the Internet shortcut file in lines of at most SHORTCUT_LINE_SIZE - 1 characters (a longer
// line goes on as the next ones) and takes the query of the first "URL=http://" line into query
// as TakeUrlQuery does; query stays empty when there is none or the file cannot be read.
#define SHORTCUT_LINE_SIZE 260
void ReadShortcutQuery(const char* path, char* query, int querySize);
