// What GlmRes5.dll must hold: the resource tables the capture application relies on, written out
// by hand so the tests compare the built library against them.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct ExpectedDialog {
    UINT id;
    const char* title;  // "" for untitled templates
    bool child;
    WORD language;
};
extern const std::vector<ExpectedDialog> kDialogs;

struct ExpectedBitmap {
    UINT id;
    WORD language;
    int width, height, bits;  // 0: not fixed (bits then 4 or 8)
};
extern const std::vector<ExpectedBitmap> kBitmaps;

struct ExpectedIconGroup {
    UINT id;
    WORD language;
    std::vector<std::pair<int, int>> images;  // size in pixels, bits per pixel
};
extern const std::vector<ExpectedIconGroup> kIconGroups;

struct ExpectedCursorGroup {
    std::string name;  // "#id" or the group's name
    WORD language;
    std::vector<int> sizes;
};
extern const std::vector<ExpectedCursorGroup> kCursorGroups;

struct ExpectedToolbar {
    UINT id;
    WORD language;
    int width, height;
    std::vector<WORD> commands;  // 0: separator
};
extern const std::vector<ExpectedToolbar> kToolbars;

struct ExpectedDlgInit {
    UINT id;
    std::vector<std::pair<WORD, std::string>> records;  // control id, text added to it
};
extern const std::vector<ExpectedDlgInit> kDlgInits;

// Menus flattened to lines: "  " per level, "Name >" for a sub-menu, "Name = id" for an item,
// " (grey)" when it starts greyed, "-" for a separator. Names without "&", the key text after a
// tab, or a trailing "...".
extern const std::map<UINT, std::vector<std::string>> kMenus;

// Accelerator entries as "Ctrl+Shift+A = 40007" (key names: letters, Num +, Backspace, Delete,
// F11, Insert, Page Down, Page Up, Scroll Lock, Escape).
extern const std::map<UINT, std::vector<std::string>> kAccelerators;

// String-table groups: every string id lies in one of them; both ends of each are present.
extern const std::vector<std::pair<UINT, UINT>> kStringGroups;
