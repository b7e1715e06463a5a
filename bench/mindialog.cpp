// The baseline of a start to the first dialog: a program that shows one empty modal dialog from
// an in-memory template and does nothing else.
#include <windows.h>

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialog = {};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    dialog.header.cx = 200;
    dialog.header.cy = 100;
    return (int)DialogBoxIndirectA(instance, &dialog.header, nullptr, DialogProc);
}
