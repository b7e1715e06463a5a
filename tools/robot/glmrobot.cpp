// glmrobot: drives the setup program's message boxes from a script.
//
//   glmrobot [-desktop <name>] box [timeoutMs]        waits for a message box captioned
//                                                     "Glimra Telepítő", prints caption and text
//   glmrobot [-desktop <name>] answer yes|no|ok [timeoutMs]
//                                                     clicks that button of it, waits until it is gone
//   glmrobot [-desktop <name>] windows                lists the top-level windows titled "Glimra..."
//   glmrobot [-desktop <name>] wizard ...             drives the install wizard (wizardcommands.cpp)
//   glmrobot shortcut <path.lnk>...                   prints the shortcuts' targets
//
// -desktop: the Wine virtual desktop the programs run in (its windows are seen only from there).
// A desktop that has closed has no windows left: "windows" then lists none.
// Texts are printed as UTF-8. Exit code 0 on success, 1 when the box did not come or did not go.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "robot.h"
#include "wizardcommands.h"

namespace {

const char kCaption[] = "Glimra Telepítő";

MessageBoxView WaitForSetupBox(DWORD timeoutMs)
{
    WindowQuery query;
    query.caption = kCaption;
    query.className = DIALOG_CLASS;
    HWND box = WaitForTopWindow(query, timeoutMs);
    return box ? ReadMessageBox(box) : MessageBoxView();
}

int ShowBox(DWORD timeoutMs)
{
    MessageBoxView box = WaitForSetupBox(timeoutMs);
    if (!box.window) {
        fprintf(stderr, "glmrobot: no message box \"%s\" within %lu ms\n", kCaption, timeoutMs);
        return 1;
    }
    printf("[%s]\n%s\n", box.caption.c_str(), box.text.c_str());
    return 0;
}

int AnswerBox(const char* answer, DWORD timeoutMs)
{
    int button = !_stricmp(answer, "yes") ? IDYES : !_stricmp(answer, "no") ? IDNO : !_stricmp(answer, "ok") ? IDOK : 0;
    if (!button) {
        fprintf(stderr, "glmrobot: unknown answer \"%s\"\n", answer);
        return 2;
    }
    MessageBoxView box = WaitForSetupBox(timeoutMs);
    if (!box.window || !AnswerMessageBox(box, button, timeoutMs)) {
        fprintf(stderr, "glmrobot: could not answer %s\n", answer);
        return 1;
    }
    printf("answered %s\n", answer);
    return 0;
}

BOOL CALLBACK PrintAppWindow(HWND window, LPARAM)
{
    std::string title = WindowText(window);
    if (title.compare(0, 6, "Glimra") == 0 && IsWindowVisible(window)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        printf("%s (process %lu)\n", title.c_str(), pid);
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    int i = 1;
    if (i + 1 < argc && !strcmp(argv[i], "-desktop")) {
        HDESK desktop = OpenDesktopA(argv[i + 1], 0, FALSE, GENERIC_ALL);
        if (!desktop && i + 2 < argc && !strcmp(argv[i + 2], "windows")) return 0;
        if (!desktop || !SetThreadDesktop(desktop)) {
            fprintf(stderr, "glmrobot: cannot enter desktop %s\n", argv[i + 1]);
            return 1;
        }
        i += 2;
    }
    if (i >= argc) {
        fprintf(stderr, "usage: glmrobot [-desktop name] box|answer yes|no|ok|windows [timeoutMs]\n");
        return 2;
    }
    std::string command = argv[i];
    if (command == "box") return ShowBox(i + 1 < argc ? strtoul(argv[i + 1], nullptr, 10) : 10000);
    if (command == "answer" && i + 1 < argc)
        return AnswerBox(argv[i + 1], i + 2 < argc ? strtoul(argv[i + 2], nullptr, 10) : 10000);
    if (command == "wizard") return RunWizardCommand(argc, argv, i + 1);
    if (command == "shortcut") return RunShortcutCommand(argc, argv, i + 1);
    if (command == "windows") {
        EnumWindows(PrintAppWindow, 0);
        return 0;
    }
    fprintf(stderr, "glmrobot: unknown command %s\n", command.c_str());
    return 2;
}
