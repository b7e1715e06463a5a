#include "codepage.h"

// Bytes 0x80-0xFF of code page 1250.
static const unsigned short CodePage1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

unsigned ToUnicode1250(unsigned char byte)
{
    return byte < 0x80 ? byte : CodePage1250High[byte - 0x80];
}

bool IsUndefinedIn1250(unsigned char byte)
{
    return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

static void AppendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += (char)code;
    } else if (code < 0x800) {
        out += (char)(0xC0 | (code >> 6));
        out += (char)(0x80 | (code & 0x3F));
    } else {
        out += (char)(0xE0 | (code >> 12));
        out += (char)(0x80 | ((code >> 6) & 0x3F));
        out += (char)(0x80 | (code & 0x3F));
    }
}

std::string Utf8From1250(const std::string& text)
{
    std::string out;
    for (unsigned char byte : text) AppendUtf8(out, ToUnicode1250(byte));
    return out;
}

static bool AppendByteOf(unsigned code, std::string& text)
{
    if (code < 0x80) {
        text += (char)code;
        return true;
    }
    for (unsigned i = 0; i < 128; i++) {
        if (CodePage1250High[i] == code) {
            text += (char)(0x80 + i);
            return true;
        }
    }
    return false;
}

// The next character of UTF-8 text at position i, which moves past it; false when the bytes
// there are not a valid, shortest encoding.
static bool DecodeUtf8(const std::string& utf8, size_t& i, unsigned& code)
{
    unsigned char lead = (unsigned char)utf8[i];
    int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= utf8.size()) return false;
    code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; k++) {
        unsigned char next = (unsigned char)utf8[i + k];
        if ((next & 0xC0) != 0x80) return false;
        code = (code << 6) | (next & 0x3F);
    }
    static const unsigned smallest[] = { 0, 0x80, 0x800, 0x10000 };
    if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
    return true;
}

bool ConvertUtf8To1250(const std::string& utf8, std::string& text)
{
    text.clear();
    for (size_t i = 0; i < utf8.size();) {
        unsigned code;
        if (!DecodeUtf8(utf8, i, code) || !AppendByteOf(code, text)) return false;
    }
    return true;
}

bool ConvertUtf16To1250(const std::u16string& utf16, std::string& text)
{
    text.clear();
    for (char16_t unit : utf16)
        if (!AppendByteOf(unit, text)) return false;
    return true;
}

bool IsMultiByteUtf8(const std::string& text)
{
    bool multiByte = false;
    for (size_t i = 0; i < text.size();) {
        unsigned code;
        if (!DecodeUtf8(text, i, code)) return false;
        if (code >= 0x80) multiByte = true;
    }
    return multiByte;
}

unsigned UpperCaseOf1250(unsigned char byte)
{
    unsigned code = ToUnicode1250(byte);
    if (code >= 'a' && code <= 'z') return code - 0x20;
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7) return code - 0x20;
    // Latin Extended-A pairs capital and small letters: even-odd up to U+0137, odd-even from
    // U+0139 to U+0148, even-odd again to U+0177, odd-even from U+0179.
    bool smallOdd = (code >= 0x100 && code <= 0x137) || (code >= 0x14A && code <= 0x177);
    bool smallEven = (code >= 0x139 && code <= 0x148) || (code >= 0x179 && code <= 0x17E);
    if ((smallOdd && (code & 1)) || (smallEven && !(code & 1))) return code - 1;
    return code;
}
