// glmrobot's wizard commands:
//   wizard page <controlId> [timeoutMs]   waits until the wizard shows the page with that control,
//                                         prints the frame's caption and the Next button's caption
//   wizard press next|back|cancel         presses a button of the frame (when enabled)
//   wizard check <controlId>              checks a check box of the page shown
//   wizard finished [timeoutMs]           waits until the installation is done (Next reads Finish)
//   wizard gone [timeoutMs]               waits until no wizard is on screen
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "processwindow.h"
#include "resource.h"
#include "wizardrobot.h"
#include "wizardcommands.h"

namespace {

// The wizard frame: a dialog with Back and the picture among its own controls.
bool IsWizardFrame(HWND window)
{
    return IsWindowVisible(window) && WindowClass(window) == DIALOG_CLASS && GetDlgItem(window, IDC_BACK) &&
           GetDlgItem(window, IDC_PICTURE);
}

HWND FindWizardFrame(DWORD timeoutMs)
{
    HWND frame = nullptr;
    WaitUntil([&] { return (frame = FindTopLevelWindow(IsWizardFrame)) != nullptr; }, timeoutMs);
    return frame;
}

int ButtonOf(const char* name)
{
    if (!_stricmp(name, "next")) return IDOK;
    if (!_stricmp(name, "back")) return IDC_BACK;
    if (!_stricmp(name, "cancel")) return IDCANCEL;
    return 0;
}

}  // namespace

int RunWizardCommand(int argc, char** argv, int i)
{
    if (i >= argc) return 2;
    std::string command = argv[i];
    DWORD timeoutMs = 10000;
    if (command == "gone") {
        if (i + 1 < argc) timeoutMs = strtoul(argv[i + 1], nullptr, 10);
        return WaitUntil([] { return FindWizardFrame(0) == nullptr; }, timeoutMs) ? 0 : 1;
    }
    HWND frame = FindWizardFrame(timeoutMs);
    if (!frame) {
        fprintf(stderr, "glmrobot: no wizard on screen\n");
        return 1;
    }
    if (command == "page" && i + 1 < argc) {
        int id = atoi(argv[i + 1]);
        if (i + 2 < argc) timeoutMs = strtoul(argv[i + 2], nullptr, 10);
        if (!WaitForPageWith(frame, id, timeoutMs)) {
            fprintf(stderr, "glmrobot: no page with control %d\n", id);
            return 1;
        }
        Sleep(300);   // lets the page finish painting before a screenshot
        printf("[%s] Next: %s\n", WindowText(frame).c_str(), ControlText(frame, IDOK).c_str());
        return 0;
    }
    if (command == "press" && i + 1 < argc) {
        int button = ButtonOf(argv[i + 1]);
        if (!button || !Press(frame, button)) {
            fprintf(stderr, "glmrobot: cannot press %s\n", argv[i + 1]);
            return 1;
        }
        return 0;
    }
    if (command == "check" && i + 1 < argc) {
        HWND page = ShownPage(frame);
        if (!page || !GetDlgItem(page, atoi(argv[i + 1]))) return 1;
        SetButtonCheck(page, atoi(argv[i + 1]), true);
        return 0;
    }
    if (command == "finished") {
        if (i + 1 < argc) timeoutMs = strtoul(argv[i + 1], nullptr, 10);
        const std::string finish = "&Befejezés >";
        if (!WaitUntil([&] { return ControlText(frame, IDOK) == finish && IsControlEnabled(frame, IDOK); }, timeoutMs)) {
            fprintf(stderr, "glmrobot: the installation did not finish\n");
            return 1;
        }
        Sleep(300);
        printf("[%s] Next: %s\n", WindowText(frame).c_str(), ControlText(frame, IDOK).c_str());
        return 0;
    }
    fprintf(stderr, "glmrobot: unknown wizard command %s\n", command.c_str());
    return 2;
}
