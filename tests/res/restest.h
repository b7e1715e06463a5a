// Helpers for reading the setup program's resources as linked into this test program.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// UTF-8 text (as written in the tests) in the ANSI code page 1250, and in UTF-16.
std::string Cp1250(const char* utf8);
std::wstring Wide(const char* utf8);
// Readable form of ANSI bytes for failure messages: non-ASCII bytes as \xNN.
std::string Escaped(const std::string& text);

// The raw bytes of a resource of this module in language 1033; empty when it is absent.
std::vector<BYTE> RawResource(LPCSTR type, LPCSTR name);

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

// Parses a classic or extended template; false when it is malformed.
bool ParseDialogTemplate(const std::vector<BYTE>& raw, DialogTemplate& out);
