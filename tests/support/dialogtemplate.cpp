#include "dialogtemplate.h"
#include <string.h>

namespace {

// Sequential reader over template bytes; every read is bounds-checked.
struct Reader {
    const BYTE* data;
    size_t size;
    size_t pos = 0;
    bool ok = true;

    template <class T> T Get()
    {
        T value{};
        if (pos + sizeof(T) > size) { ok = false; return value; }
        memcpy(&value, data + pos, sizeof(T));
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

// The styles of a template or of an item: the extended form has the help id first and the style
// last, the classic form the style first.
void ReadStyles(Reader& r, bool extended, DWORD& helpId, DWORD& exStyle, DWORD& style)
{
    if (extended) {
        helpId = r.Get<DWORD>();
        exStyle = r.Get<DWORD>();
        style = r.Get<DWORD>();
    } else {
        style = r.Get<DWORD>();
        exStyle = r.Get<DWORD>();
    }
}

} // namespace

bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate& t)
{
    Reader r{data, size};
    WORD count;
    t.extended = size >= 4 && data[2] == 0xFF && data[3] == 0xFF;
    if (t.extended) {
        t.version = r.Get<WORD>();
        t.signature = r.Get<WORD>();
    }
    ReadStyles(r, t.extended, t.helpId, t.exStyle, t.style);
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
        ReadStyles(r, t.extended, item.helpId, item.exStyle, item.style);
        item.x = r.Get<short>(); item.y = r.Get<short>(); item.cx = r.Get<short>(); item.cy = r.Get<short>();
        item.id = t.extended ? r.Get<DWORD>() : r.Get<WORD>();
        item.cls = r.Field();
        item.text = r.Field();
        WORD extra = r.Get<WORD>();
        r.pos += extra;
        t.items.push_back(item);
    }
    return r.ok && r.pos <= size;
}
