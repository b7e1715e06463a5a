// Glmr5.exe, the stand-in capture application: what the setup program and the resource library
// rely on of the real one (registry membership, main window, close request, host callback), and
// a record of what it receives, for the tests.
//
// Options (each one argument, values in the next one):
//   -record <path>   append a line per event to that file: "start <pid>", "1946 <lParam>",
//                    "1947 <lParam>", "WM_CLOSE <wParam>", "Glm5Callback <exe> <library>",
//                    "load ok <module>" or "load failed <error>"
//   -doc <name>      document name in the title "Glimra 5 - <name>"
//   -title <text>    the whole title instead
//   -answer <n>      what Glm5Callback answers (else GLM5_CALLBACK_ANSWER, else 2741)
//   -load <path>     load that library at start (the resource library's handshake)
//   -ignoreclose     record WM_CLOSE but stay open
//   -closedelay <ms> on WM_CLOSE, work that long (as a copy saving a file would), record "closed",
//                    then close
//   -nowindow        no window at all (ends on WM_QUIT posted to its thread)
//   -toolwindow      the main window is a tool window
//   -hidden          the main window is never shown
//   -owned           an owned window titled "Glimra 5 - Beallitasok" besides the main window
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "instance/instance.h"
#include "engine/names.h"

#define DEFAULT_CALLBACK_ANSWER 2741

// Registered from static construction to static destruction, like the setup program.
static CInstanceManager g_InstanceManager(INSTANCE_REGISTRY_NAME, 1024);

struct Options {
    const char* recordPath;
    const char* document;
    const char* title;
    const char* loadPath;
    const char* answer;
    DWORD closeDelayMs;
    BOOL ignoreClose;
    BOOL noWindow;
    BOOL toolWindow;
    BOOL hidden;
    BOOL owned;
};
static Options g_options = { nullptr, "Dokumentum1", nullptr, nullptr, nullptr, 0, FALSE, FALSE, FALSE, FALSE, FALSE };

static void Record(const char* format, ...)
{
    if (!g_options.recordPath) return;
    char line[512];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(line, sizeof(line) - 2, format, args);
    va_end(args);
    if (length < 0 || length > (int)sizeof(line) - 3) length = (int)sizeof(line) - 3;
    line[length++] = '\r';
    line[length++] = '\n';
    HANDLE file = CreateFileA(g_options.recordPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line, (DWORD)length, &written, nullptr);
    CloseHandle(file);
}

static void ReadOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!strcmp(arg, "-record") && next) g_options.recordPath = argv[++i];
        else if (!strcmp(arg, "-doc") && next) g_options.document = argv[++i];
        else if (!strcmp(arg, "-title") && next) g_options.title = argv[++i];
        else if (!strcmp(arg, "-load") && next) g_options.loadPath = argv[++i];
        else if (!strcmp(arg, "-answer") && next) g_options.answer = argv[++i];
        else if (!strcmp(arg, "-closedelay") && next) g_options.closeDelayMs = strtoul(argv[++i], nullptr, 10);
        else if (!strcmp(arg, "-ignoreclose")) g_options.ignoreClose = TRUE;
        else if (!strcmp(arg, "-nowindow")) g_options.noWindow = TRUE;
        else if (!strcmp(arg, "-toolwindow")) g_options.toolWindow = TRUE;
        else if (!strcmp(arg, "-hidden")) g_options.hidden = TRUE;
        else if (!strcmp(arg, "-owned")) g_options.owned = TRUE;
    }
}

// The host side of the resource library's handshake.
extern "C" __declspec(dllexport) LONG WINAPI Glm5Callback(HMODULE exe, HMODULE library)
{
    Record("Glm5Callback %p %p", (void*)exe, (void*)library);
    const char* answer = g_options.answer ? g_options.answer : getenv("GLM5_CALLBACK_ANSWER");
    return answer ? strtol(answer, nullptr, 0) : DEFAULT_CALLBACK_ANSWER;
}

static LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_INSTANCE_ADDED:
    case MSG_INSTANCE_REMOVED:
        Record("%u %lu", message, (unsigned long)lParam);
        return 0;
    case WM_CLOSE:
        Record("WM_CLOSE %u", (unsigned)wParam);
        if (g_options.ignoreClose) return 0;
        if (g_options.closeDelayMs) {
            Sleep(g_options.closeDelayMs);
            Record("closed");
        }
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

static HWND CreateWindows(HINSTANCE instance)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = MainWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    cls.lpszClassName = "Glmr5Main";
    RegisterClassA(&cls);
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "Glmr5Owned";
    RegisterClassA(&cls);

    char title[300];
    if (g_options.title) lstrcpynA(title, g_options.title, sizeof(title));
    else snprintf(title, sizeof(title), "Glimra 5 - %s", g_options.document);
    DWORD exStyle = g_options.toolWindow ? WS_EX_TOOLWINDOW : 0;
    HWND window = CreateWindowExA(exStyle, "Glmr5Main", title, WS_OVERLAPPEDWINDOW, 40, 40, 480, 320,
                                nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    if (!g_options.hidden) ShowWindow(window, SW_SHOWNORMAL);
    if (g_options.owned)
        CreateWindowExA(0, "Glmr5Owned", "Glimra 5 - Beallitasok", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                        80, 80, 240, 160, window, nullptr, instance, nullptr);
    return window;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ReadOptions(__argc, __argv);
    if (g_options.loadPath) {
        HMODULE library = LoadLibraryA(g_options.loadPath);
        if (library) Record("load ok %p", (void*)library);
        else Record("load failed %lu", GetLastError());
    }
    if (!g_options.noWindow && !CreateWindows(instance)) return 1;
    Record("start %lu", GetCurrentProcessId());
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
