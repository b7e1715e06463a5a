// The ANSI code page 1250 the setup reads its script and its names in, and UTF-8, which the tool
// writes and which file names have on Linux.
#pragma once
#include <string>

// The character of a 1250 byte. Bytes the code page leaves undefined map to the code point of the
// same value, as Windows maps them.
unsigned ToUnicode1250(unsigned char byte);

// The five bytes 1250 leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98).
bool IsUndefinedIn1250(unsigned char byte);

// 1250 text as UTF-8.
std::string Utf8From1250(const std::string& text);

// UTF-8 (or UTF-16 code units) as 1250; false when a character has no 1250 byte or the UTF-8 is
// not valid.
bool ConvertUtf8To1250(const std::string& utf8, std::string& text);
bool ConvertUtf16To1250(const std::u16string& utf16, std::string& text);

// The text is valid UTF-8 and holds at least one character of more than one byte.
bool IsMultiByteUtf8(const std::string& text);

// The letter's upper case, as the file system compares names: a 1250 byte to its character.
unsigned UpperCaseOf1250(unsigned char byte);
