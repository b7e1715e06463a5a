// Reading dialog templates, classic (DLGTEMPLATE) and extended (DLGTEMPLATEEX), field by field:
// the setup program's and the resource library's tests both check their templates with it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A name-or-ordinal field of a dialog template.
struct SzOrOrd {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring text;
};

struct DialogItem {
    DWORD helpId = 0, exStyle = 0, style = 0, id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd cls, text;
};

struct DialogTemplate {
    bool extended = false;
    WORD version = 0, signature = 0;
    DWORD helpId = 0, exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd menu, cls, caption;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring face;
    std::vector<DialogItem> items;
};

// Parses a classic or extended template of size bytes; false when it is malformed.
bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate& out);
