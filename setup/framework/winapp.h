// CWinApp: the application object. The framework's entry (RunApp) calls InitInstance once;
// everything the program does happens inside that call.
#pragma once
#include <windows.h>
#include "cmdtarget.h"
#include "cstring.h"

class CWnd;

// String-table id of the application title, used as the caption of the framework's message boxes.
#define IDS_FRAMEWORK_APP_TITLE 0xE000
// The framework's help command.
#define ID_HELP 0xE146

class CWinApp : public CCmdTarget {
public:
    // With no name the title is taken from the string table (IDS_FRAMEWORK_APP_TITLE).
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return FALSE; }
    // The message loop; it ends at once when the program has no main window, or one whose
    // window is gone (a dialog that was the main window while it ran, or never opened).
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    // The help command: opens the program's help file (its own path with the extension ".hlp")
    // when there is one.
    void OnHelp();

    const char* m_pszAppName;
    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CString m_strTitle;
    friend int RunApp(HINSTANCE, HINSTANCE, LPSTR, int);
};

CWinApp* GetApp();
const char* GetAppName();
HINSTANCE GetAppInstance();

// The framework's message box: the application title as caption, owned by the active window.
int AppMessageBox(const char* pszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AppMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Loads the common controls (version 6 where the program's manifest asks for it, since the DLL is
// then found through the program's activation context) and registers their window classes, so
// that dialogs made afterwards use them. The library stays loaded for the program's lifetime.
void LoadCommonControls();

// The program's entry: sets up the application object, loads the common controls, runs
// InitInstance and ends the program.
int RunApp(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
