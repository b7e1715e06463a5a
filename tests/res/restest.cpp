#include "restest.h"
#include <stdio.h>
#include <string.h>

std::wstring Wide(const char* utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &w[0], n);
    w.resize(n - 1);
    return w;
}

std::string Cp1250(const char* utf8)
{
    std::wstring w = Wide(utf8);
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(1250, 0, w.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return "<not representable in 1250>";
    std::string a(n, '\0');
    WideCharToMultiByte(1250, 0, w.c_str(), -1, &a[0], n, nullptr, nullptr);
    a.resize(n - 1);
    return a;
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        char buf[8];
        if (c >= 0x20 && c < 0x7F) { out += (char)c; continue; }
        snprintf(buf, sizeof(buf), c == '\n' ? "\\n" : "\\x%02X", c);
        out += buf;
    }
    return out;
}

std::vector<BYTE> RawResource(LPCSTR type, LPCSTR name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceExA(module, type, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (!info) return {};
    HGLOBAL handle = LoadResource(module, info);
    const BYTE* data = handle ? (const BYTE*)LockResource(handle) : nullptr;
    if (!data) return {};
    return std::vector<BYTE>(data, data + SizeofResource(module, info));
}
