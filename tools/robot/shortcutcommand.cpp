// glmrobot shortcut <path.lnk>...: prints each shortcut's target, arguments and working folder.
#include <windows.h>
#include <stdio.h>
#include <string>
#include "robot.h"
#include "sandbox.h"
#include "wizardcommands.h"

// ANSI texts of the shortcut, printed as UTF-8.
static std::string Utf8FromAnsi(const std::string& ansi)
{
    if (ansi.empty()) return ansi;
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], n);
    wide.resize(n - 1);
    return Narrow(wide);
}

int RunShortcutCommand(int argc, char** argv, int i)
{
    int result = 0;
    for (; i < argc; ++i) {
        ShortcutInfo link = ReadShortcut(argv[i]);
        if (!link.loaded) {
            printf("  %s: not a readable shortcut\n", Utf8FromAnsi(argv[i]).c_str());
            result = 1;
            continue;
        }
        printf("  %s\n      -> %s", Utf8FromAnsi(argv[i]).c_str(), Utf8FromAnsi(link.target).c_str());
        if (!link.arguments.empty()) printf(" %s", Utf8FromAnsi(link.arguments).c_str());
        if (!link.workingDir.empty()) printf("  (in %s)", Utf8FromAnsi(link.workingDir).c_str());
        printf("\n");
    }
    return result;
}
