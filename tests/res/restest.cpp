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

namespace {

// Sequential reader over template bytes; every read is bounds-checked.
struct Reader {
    const std::vector<BYTE>& raw;
    size_t pos = 0;
    bool ok = true;

    template <class T> T Get()
    {
        T value{};
        if (pos + sizeof(T) > raw.size()) { ok = false; return value; }
        memcpy(&value, &raw[pos], sizeof(T));
        pos += sizeof(T);
        return value;
    }
    std::wstring String()
    {
        std::wstring s;
        for (WCHAR c; ok && (c = Get<WCHAR>()) != 0;) s += c;
        return s;
    }
    SzOrOrd Field()
    {
        SzOrOrd f;
        WORD first = Get<WORD>();
        if (first == 0xFFFF) { f.isOrdinal = true; f.ordinal = Get<WORD>(); }
        else if (first != 0) { f.text = (WCHAR)first; f.text += String(); }
        return f;
    }
    void AlignDword() { pos = (pos + 3) & ~(size_t)3; }
};

} // namespace

bool ParseDialogTemplate(const std::vector<BYTE>& raw, DialogTemplate& t)
{
    Reader r{raw};
    WORD count;
    t.extended = raw.size() >= 4 && raw[2] == 0xFF && raw[3] == 0xFF;
    if (t.extended) {
        t.version = r.Get<WORD>();
        t.signature = r.Get<WORD>();
        t.helpId = r.Get<DWORD>();
        t.exStyle = r.Get<DWORD>();
        t.style = r.Get<DWORD>();
    } else {
        t.style = r.Get<DWORD>();
        t.exStyle = r.Get<DWORD>();
    }
    count = r.Get<WORD>();
    t.x = r.Get<short>(); t.y = r.Get<short>(); t.cx = r.Get<short>(); t.cy = r.Get<short>();
    t.menu = r.Field();
    t.cls = r.Field();
    t.caption = r.Field();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Get<WORD>();
        if (t.extended) {
            t.weight = r.Get<WORD>();
            t.italic = r.Get<BYTE>();
            t.charset = r.Get<BYTE>();
        }
        t.face = r.String();
    }
    for (WORD i = 0; i < count && r.ok; i++) {
        DialogItem item;
        r.AlignDword();
        if (t.extended) {
            item.helpId = r.Get<DWORD>();
            item.exStyle = r.Get<DWORD>();
            item.style = r.Get<DWORD>();
        } else {
            item.style = r.Get<DWORD>();
            item.exStyle = r.Get<DWORD>();
        }
        item.x = r.Get<short>(); item.y = r.Get<short>(); item.cx = r.Get<short>(); item.cy = r.Get<short>();
        item.id = t.extended ? r.Get<DWORD>() : r.Get<WORD>();
        item.cls = r.Field();
        item.text = r.Field();
        WORD extra = r.Get<WORD>();
        r.pos += extra;
        t.items.push_back(item);
    }
    return r.ok && r.pos <= raw.size();
}
