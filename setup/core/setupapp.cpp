#include "setupapp.h"
#include <stdlib.h>
#include "closecopies.h"
#include "installdriver.h"
#include "runturn.h"
#include "selfremove.h"
#include "switches.h"
#include "engine/settings.h"
#include "engine/runrecord.h"
#include "resource.h"
#include <objbase.h>

// The arguments come split by the runtime (__argc/__argv) from the ANSI command line, by the
// usual Windows rules: enclosing double quotes removed, texts in the ANSI code page.
static const char* const* Arguments() { return __argv; }

static BOOL IsInstallMode()
{
    if (HasInstallSwitch(__argc, Arguments())) return TRUE;
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return IsSetupProgramPath(path);
}

// The start-up texts: the caption and the messages of the plain message boxes.
#define CAPTION_SIZE 128
#define MESSAGE_SIZE 256

// The string-table text into the buffer; empty when absent.
static void LoadText(UINT id, char* text, int size)
{
    if (!LoadStringA(GetResourceModule(), id, text, size)) text[0] = 0;
}

// The plain message box of the start-up questions: no owner, the caption given (IDS_SETUP_CAPTION).
static int AskWithString(UINT id, const char* caption, UINT type)
{
    char text[MESSAGE_SIZE];
    LoadText(id, text, sizeof(text));
    return MessageBoxA(nullptr, text, caption, type);
}

// IDS_ONE_COPY_RUNNING for one other copy, IDS_COPIES_RUNNING with the number for more.
static int AskToCloseCopies(int otherCopies, const char* caption)
{
    if (otherCopies == 1) return AskWithString(IDS_ONE_COPY_RUNNING, caption, MB_YESNO | MB_ICONWARNING);
    char format[MESSAGE_SIZE];
    LoadText(IDS_COPIES_RUNNING, format, sizeof(format));
    CString text;
    text.Format(format, otherCopies);
    return MessageBoxA(nullptr, text, caption, MB_YESNO | MB_ICONWARNING);
}

// COM on this, the one UI thread, for the whole run: the folder browser's new-style dialog and
// ShellExecute need it, and not only once the first shortcut is made.
class ComScope {
public:
    ComScope() : m_hr(CoInitialize(nullptr)) {}
    ~ComScope() { if (SUCCEEDED(m_hr)) CoUninitialize(); }
private:
    HRESULT m_hr;
};

// Dialog controls need no switch for their three-dimensional look: the system draws them so.
BOOL CSetupApp::InitInstance()
{
    g_bSilent = HasSilentSwitch(__argc, Arguments());
    const char* runLog = FindRunLogFile(__argc, Arguments());
    if (runLog) OpenRunLog(runLog);
    if (!HasRunTurn()) {
        // Another installation or uninstall is under way: this run changes nothing.
        LogRunLine("start: %s; another run of the setup program is in progress", GetCommandLineA());
        if (!g_bSilent) AppMessageBox(IDS_ANOTHER_RUN, MB_OK | MB_ICONWARNING);
        RecordExitCode(EXIT_ANOTHER_RUN);
        return FALSE;
    }
    if (IsRemovalRun(__argc, Arguments())) {
        LogRunLine("start: %s; mode: removal run%s", GetCommandLineA(), g_bSilent ? ", silent" : "");
        RunRemoval(Arguments()[2], FindStarterHandle(__argc, Arguments()));
        return FALSE;
    }

    ComScope com;
    HINSTANCE self = GetModuleHandleA(nullptr);
    m_hInstance = self;
    SetResourceModule(self);
    char caption[CAPTION_SIZE];
    LoadText(IDS_SETUP_CAPTION, caption, sizeof(caption));

    BOOL installMode = IsInstallMode();
    LogRunLine("start: %s; mode: %s%s", GetCommandLineA(), installMode ? "install" : "uninstall",
               g_bSilent ? ", silent" : "");
    if (!installMode && !g_bSilent &&
        AskWithString(IDS_CONFIRM_UNINSTALL, caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
        RecordDeclined();
        return FALSE;
    }

    int otherCopies = m_pInstances ? m_pInstances->GetInstanceCount() - 1 : 0;
    if (otherCopies >= 1) {
        if (installMode && !HasCloseWithoutAskingSwitch(__argc, Arguments()) &&
            AskToCloseCopies(otherCopies, caption) != IDYES) {
            RecordDeclined();
            AskWithString(IDS_SETUP_STOPPED, caption, MB_OK | MB_ICONINFORMATION);
            return TRUE;
        }
        CloseOtherCopies(*m_pInstances);
    }

    if (installMode) return RunInstall();
    HANDLE copy = StartSelfRemoval();
    if (!copy) return FALSE;
    // The copy ends this process without its normal end: its place in the registry goes now.
    if (m_pInstances) m_pInstances->RemoveInstance(GetCurrentProcessId());
    WaitForRemovalCopy(copy);
    return FALSE;
}

// The exit code tells deployment tools how the run ended.
int CSetupApp::ExitInstance()
{
    int code = GetRunExitCode();
    LogRunLine("exit code %d", code);
    return code;
}
