// Helpers for reading the setup program's resources as linked into this test program.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "dialogtemplate.h"

// UTF-8 text (as written in the tests) in the ANSI code page 1250, and in UTF-16.
std::string Cp1250(const char* utf8);
std::wstring Wide(const char* utf8);
// Readable form of ANSI bytes for failure messages: non-ASCII bytes as \xNN.
std::string Escaped(const std::string& text);

// The raw bytes of a resource of this module in language 1033; empty when it is absent.
std::vector<BYTE> RawResource(LPCSTR type, LPCSTR name);
