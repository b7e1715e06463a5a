#include "winapp.h"
#include "resmodule.h"
#include "wnd.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

static CWinApp* s_pApp;

CWinApp::CWinApp(const char* pszAppName)
    : m_pszAppName(pszAppName), m_hInstance(nullptr), m_pMainWnd(nullptr)
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this) s_pApp = nullptr;
}

int CWinApp::Run()
{
    MSG msg;
    while (m_pMainWnd && m_pMainWnd->m_hWnd && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ExitInstance();
}

void CWinApp::OnHelp()
{
    char szPath[MAX_PATH];
    DWORD nLength = GetModuleFileNameA(GetAppInstance(), szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH) return;
    char* pDot = strrchr(szPath, '.');
    char* pSlash = strrchr(szPath, '\\');
    if (!pDot || pDot < pSlash) pDot = szPath + nLength;
    if (pDot - szPath + 5 > MAX_PATH) return;
    lstrcpyA(pDot, ".hlp");
    if (GetFileAttributesA(szPath) == INVALID_FILE_ATTRIBUTES) return;
    WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, szPath, HELP_FINDER, 0);
}

CWinApp* GetApp() { return s_pApp; }
HINSTANCE GetAppInstance() { return s_pApp && s_pApp->m_hInstance ? s_pApp->m_hInstance : GetModuleHandleA(nullptr); }

const char* GetAppName()
{
    if (s_pApp && s_pApp->m_pszAppName) return s_pApp->m_pszAppName;
    static CString s_strTitle;
    if (s_strTitle.IsEmpty()) s_strTitle.LoadString(IDS_FRAMEWORK_APP_TITLE);
    return s_strTitle;
}

int AppMessageBox(const char* pszText, UINT nType, UINT)
{
    return MessageBoxA(GetActiveWindow(), pszText, GetAppName(), nType);
}

int AppMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AppMessageBox(text, nType);
}

void LoadCommonControls()
{
    // Loaded by name after the entry narrowed the DLL search: the system's copy, never one from
    // the package folder. Imported, it would be loaded before that.
    typedef BOOL(WINAPI * InitFunction)(const INITCOMMONCONTROLSEX*);
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return;
    InitFunction init = (InitFunction)(void*)GetProcAddress(library, "InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes = { sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES };
    if (init) init(&classes);
}

int RunApp(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    LoadCommonControls();
    CWinApp* pApp = GetApp();
    if (!pApp) return -1;
    pApp->m_hInstance = hInstance;
    SetResourceModule(hInstance);
    if (!pApp->m_pszAppName) {
        pApp->m_strTitle.LoadString(IDS_FRAMEWORK_APP_TITLE);
        pApp->m_pszAppName = pApp->m_strTitle;
    }
    if (!pApp->InitInstance()) return pApp->ExitInstance();
    return pApp->Run();
}
