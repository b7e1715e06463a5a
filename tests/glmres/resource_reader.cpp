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
