#include "installtext.h"
#include "engine/pathtext.h"
#include <stdio.h>
#include <string.h>

static void TakeInstallDir(const char* folder, PathExistsFunc pathExists, InstallSwitches* switches)
{
    size_t length = strlen(folder);
    // A name that does not fit a path cannot name an existing folder either.
    if (length == 0 || length >= INSTALL_PATH_SIZE || !pathExists(folder)) {
        switches->installDir[0] = 0;
        return;
    }
    memcpy(switches->installDir, folder, length + 1);
    if (folder[length - 1] == '\\' || folder[length - 1] == '/') switches->installDir[length - 1] = 0;
}

void ScanInstallSwitches(int argc, const char* const* argv, PathExistsFunc pathExists,
                         InstallSwitches* switches)
{
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "-instdir") == 0) {
            // The folder is looked at again as a switch of its own in the next pass.
            if (i + 1 < argc) TakeInstallDir(argv[i + 1], pathExists, switches);
        } else if (EqualNoCaseAscii(arg, "-runafter")) {
            switches->runAfter = 1;
        } else if (EqualNoCaseAscii(arg, "-allusers")) {
            switches->allUsers = 1;
        } else if (EqualNoCaseAscii(arg, "-autostart")) {
            switches->autoStart = 1;
        } else if (EqualNoCaseAscii(arg, "-nodeskico")) {
            switches->noDesktopIcon = 1;
        }
    }
}

unsigned int ComposeVersionNumber(int major, int minor, int release, int build)
{
    return (((unsigned int)major * 100u + (unsigned int)minor) * 100u + (unsigned int)release) * 100u
           + (unsigned int)build;
}

int TakeUrlQuery(const char* line, char* query, int querySize)
{
    static const char prefix[] = "URL=http://";
    if (strncmp(line, prefix, sizeof(prefix) - 1) != 0) return 0;
    if (querySize <= 0) return 1;
    query[0] = 0;
    const char* mark = strchr(line, '?');
    if (!mark) return 1;
    // The line end is not part of the address.
    size_t length = strcspn(mark, "\r\n");
    if (length >= (size_t)querySize) length = (size_t)querySize - 1;
    memcpy(query, mark, length);
    query[length] = 0;
    return 1;
}

void ReadShortcutQuery(const char* path, char* query, int querySize)
{
    if (querySize <= 0) return;
    query[0] = 0;
    FILE* shortcut = fopen(path, "r");
    if (!shortcut) return;
    char line[SHORTCUT_LINE_SIZE];
    while (fgets(line, sizeof(line), shortcut)) {
        if (TakeUrlQuery(line, query, querySize)) break;
    }
    fclose(shortcut);
}
