#include "payload.h"

uint64_t ReadLittleEndian(const unsigned char* bytes, int count)
{
    uint64_t value = 0;
    while (count-- > 0) value = value << 8 | bytes[count];
    return value;
}

void WriteLittleEndian(unsigned char* bytes, int count, uint64_t value)
{
    for (int i = 0; i < count; i++, value >>= 8) bytes[i] = (unsigned char)value;
}

static char FoldCase(char ch)
{
    return ch >= 'a' && ch <= 'z' ? (char)(ch - 'a' + 'A') : ch;
}

static bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; text++, prefix++)
        if (FoldCase(*text) != *prefix) return false;
    return true;
}

// Windows opens the device, wherever the folder, for these names with any extension:
// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-9 and LPT0-9, also with a superscript 1, 2 or 3.
static bool IsDeviceName(const char* part, size_t length)
{
    size_t base = 0;
    while (base < length && part[base] != '.') base++;
    while (base > 0 && part[base - 1] == ' ') base--;
    if (base == 3)
        return StartsWithNoCase(part, "CON") || StartsWithNoCase(part, "PRN") || StartsWithNoCase(part, "AUX") ||
               StartsWithNoCase(part, "NUL");
    if (base == 6 || base == 7) return StartsWithNoCase(part, base == 6 ? "CONIN$" : "CONOUT$");
    if (base < 4 || !(StartsWithNoCase(part, "COM") || StartsWithNoCase(part, "LPT"))) return false;
    const unsigned char* digit = (const unsigned char*)part + 3;
    if (base == 4) return digit[0] >= '0' && digit[0] <= '9';
    // UTF-8 of the superscripts: C2 B9, C2 B2, C2 B3.
    return base == 5 && digit[0] == 0xC2 && (digit[1] == 0xB9 || digit[1] == 0xB2 || digit[1] == 0xB3);
}

static bool IsRefusedCharacter(unsigned char ch)
{
    if (ch < 0x20) return true;
    for (const char* refused = "<>:\"/|?*"; *refused; refused++)
        if (ch == (unsigned char)*refused) return true;
    return false;
}

bool IsSafeMemberName(const char* name, size_t length)
{
    if (length == 0 || length > MEMBER_NAME_MAX) return false;
    size_t start = 0;
    for (size_t i = 0; i <= length; i++) {
        if (i < length && name[i] != '\\') {
            if (IsRefusedCharacter((unsigned char)name[i])) return false;
            continue;
        }
        // One part, name[start .. i): not empty, not changed by Windows, not a device.
        size_t partLength = i - start;
        if (partLength == 0) return false;
        char last = name[i - 1];
        if (last == '.' || last == ' ') return false;
        if (IsDeviceName(name + start, partLength)) return false;
        start = i + 1;
    }
    return true;
}
