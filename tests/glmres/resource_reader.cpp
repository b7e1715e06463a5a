#include "resource_reader.h"
#include <cstring>

ResourceData FindResourceData(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    ResourceData res;
    HRSRC found = FindResourceExA(module, type, name, language);
    if (!found) return res;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return res;
    res.data = static_cast<const uint8_t*>(LockResource(loaded));
    res.size = SizeofResource(module, found);
    return res;
}

static BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out)
{
    reinterpret_cast<std::vector<WORD>*>(out)->push_back(language);
    return TRUE;
}

std::vector<WORD> ResourceLanguages(HMODULE module, LPCSTR type, LPCSTR name)
{
    std::vector<WORD> languages;
    EnumResourceLanguagesA(module, type, name, CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

struct NameList {
    std::vector<UINT> ids;
    int names = 0;
};

static BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out)
{
    NameList* list = reinterpret_cast<NameList*>(out);
    ++list->names;
    if (IS_INTRESOURCE(name)) list->ids.push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

std::vector<UINT> ResourceIds(HMODULE module, LPCSTR type)
{
    NameList list;
    EnumResourceNamesA(module, type, CollectName, reinterpret_cast<LONG_PTR>(&list));
    return list.ids;
}

int CountResourceNames(HMODULE module, LPCSTR type)
{
    NameList list;
    EnumResourceNamesA(module, type, CollectName, reinterpret_cast<LONG_PTR>(&list));
    return list.names;
}

std::string Narrow(const wchar_t* text, size_t length)
{
    std::string out;
    if (length == 0) return out;
    int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    out.resize(n);
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &out[0], n, nullptr, nullptr);
    return out;
}

bool ReadString(HMODULE module, UINT id, WORD language, std::string* text)
{
    ResourceData block = FindResourceData(module, MAKEINTRESOURCEA(6), id / 16 + 1, language);
    if (!block) return false;
    const uint8_t* p = block.data;
    const uint8_t* end = block.data + block.size;
    for (UINT i = 0; i < 16; ++i) {
        if (p + 2 > end) return false;
        WORD length;
        memcpy(&length, p, 2);
        p += 2;
        if (p + 2 * length > end) return false;
        if (i == id % 16) {
            if (length == 0) return false;
            std::wstring wide(length, L'\0');
            memcpy(&wide[0], p, 2 * length);
            *text = Narrow(wide.data(), wide.size());
            return true;
        }
        p += 2 * length;
    }
    return false;
}

// Skips a sz_Or_Ord field of a dialog template; returns the text of a string field.
static bool SkipNameOrOrdinal(const uint8_t*& p, const uint8_t* end, std::string* text)
{
    if (p + 2 > end) return false;
    WORD first;
    memcpy(&first, p, 2);
    if (first == 0x0000) { p += 2; return true; }
    if (first == 0xFFFF) { p += 4; return p <= end; }
    std::wstring wide;
    for (;;) {
        if (p + 2 > end) return false;
        wchar_t c;
        memcpy(&c, p, 2);
        p += 2;
        if (c == 0) break;
        wide.push_back(c);
    }
    if (text) *text = Narrow(wide.data(), wide.size());
    return true;
}

DialogHeader ParseDialogTemplate(const ResourceData& res)
{
    DialogHeader h;
    // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
    if (!res || res.size < 26) return h;
    WORD version, signature;
    memcpy(&version, res.data, 2);
    memcpy(&signature, res.data + 2, 2);
    if (version != 1 || signature != 0xFFFF) return h;
    memcpy(&h.exStyle, res.data + 8, 4);
    memcpy(&h.style, res.data + 12, 4);
    memcpy(&h.items, res.data + 16, 2);
    const uint8_t* p = res.data + 26;
    const uint8_t* end = res.data + res.size;
    if (!SkipNameOrOrdinal(p, end, nullptr)) return h;      // menu
    if (!SkipNameOrOrdinal(p, end, nullptr)) return h;      // window class
    if (!SkipNameOrOrdinal(p, end, &h.title)) return h;     // title
    h.ok = true;
    return h;
}

DibInfo ReadDibHeader(const uint8_t* data, DWORD size)
{
    DibInfo info;
    BITMAPINFOHEADER bih;
    if (size < sizeof(bih)) return info;
    memcpy(&bih, data, sizeof(bih));
    if (bih.biSize != sizeof(bih)) return info;
    info.ok = true;
    info.width = bih.biWidth;
    info.height = bih.biHeight;
    info.bits = bih.biBitCount;
    info.compression = bih.biCompression;
    return info;
}
