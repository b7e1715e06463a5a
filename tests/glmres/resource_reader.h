// Reading GlmRes5.dll's resources the way a host takes them: by type, id and language.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

const WORD kLangEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033
const WORD kLangNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);        // 0

struct ResourceData {
    const uint8_t* data = nullptr;
    DWORD size = 0;
    explicit operator bool() const { return data != nullptr; }
};

// The bytes of one resource (FindResourceEx with exactly this language); null data when absent.
ResourceData FindResourceData(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
inline ResourceData FindResourceData(HMODULE module, LPCSTR type, UINT id, WORD language)
{
    return FindResourceData(module, type, MAKEINTRESOURCEA(id), language);
}

// Languages under which a resource exists.
std::vector<WORD> ResourceLanguages(HMODULE module, LPCSTR type, LPCSTR name);
// Integer ids of a resource type (named resources are left out), and the count of names.
std::vector<UINT> ResourceIds(HMODULE module, LPCSTR type);
int CountResourceNames(HMODULE module, LPCSTR type);

// A string of the string table under one language, read from its block of 16. False when absent.
bool ReadString(HMODULE module, UINT id, WORD language, std::string* text);

// The BITMAPINFOHEADER at the start of a DIB.
struct DibInfo {
    bool ok = false;
    LONG width = 0;
    LONG height = 0;
    WORD bits = 0;
    DWORD compression = 0;
};
DibInfo ReadDibHeader(const uint8_t* data, DWORD size);

std::string Narrow(const wchar_t* text, size_t length);
