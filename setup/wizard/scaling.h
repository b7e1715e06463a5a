// What the wizard lays out or draws in pixels itself, at any DPI: the dialog manager scales the
// templates' dialog units with the dialog's font, and these follow the same font.
#pragma once
#include <windows.h>

// Draws the wizard picture (bitmap IDB_WIZARD) to fill the picture control's client area, scaled
// smoothly and evenly in both directions, what overhangs cut evenly from both sides, and shows it
// there. Deletes the image the control showed before; returns the new one, which the caller
// deletes once the control is gone. Null when it cannot draw: the control keeps its image.
HBITMAP FitPicture(HWND picture);

// The gap between the frame's edge or picture and a page: 4 pixels with the templates' font at
// 96 DPI, and as much more as the dialog's font is larger.
int PageMargin(HWND dialog);
