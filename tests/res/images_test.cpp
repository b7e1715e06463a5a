// The wizard picture, the icon, the language record, and what the resources do not hold.
#include <gtest/gtest.h>
#include <set>
#include "restest.h"
#include "resource.h"

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST(Images, WizardBitmapIsAn8BitPalettedPictureOf120By260)
{
    std::vector<BYTE> raw = RawResource((LPCSTR)RT_BITMAP, MAKEINTRESOURCEA(IDB_WIZARD));
    ASSERT_EQ(32264u, raw.size());
    BITMAPINFOHEADER header;
    memcpy(&header, raw.data(), sizeof(header));
    EXPECT_EQ(40u, header.biSize);
    EXPECT_EQ(120, header.biWidth);
    EXPECT_EQ(260, header.biHeight) << "bottom-up rows";
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(8, header.biBitCount);
    EXPECT_EQ((DWORD)BI_RGB, header.biCompression);
    DWORD paletteCount = header.biClrUsed ? header.biClrUsed : 256;
    EXPECT_EQ(256u, paletteCount);
    DWORD stride = (header.biWidth * header.biBitCount + 31) / 32 * 4;
    EXPECT_EQ(31200u, stride * header.biHeight);
    EXPECT_EQ(raw.size(), header.biSize + paletteCount * sizeof(RGBQUAD) + stride * header.biHeight);
    if (header.biSizeImage) EXPECT_EQ(31200u, header.biSizeImage);

    // The picture uses more than a handful of its palette entries (it is a picture, not a fill).
    std::set<BYTE> used(raw.begin() + 40 + 1024, raw.end());
    EXPECT_GT(used.size(), 64u);

    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_WIZARD));
    ASSERT_NE(nullptr, bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    EXPECT_EQ(120, info.bmWidth);
    EXPECT_EQ(260, info.bmHeight);
    DeleteObject(bitmap);
}

TEST(Images, IconGroupHoldsOne32By32IconOf16Colours)
{
    std::vector<BYTE> group = RawResource((LPCSTR)RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_SETUP));
    ASSERT_EQ(6u + sizeof(GroupIconEntry), group.size());
    const WORD* head = (const WORD*)group.data();
    EXPECT_EQ(0, head[0]);
    EXPECT_EQ(1, head[1]) << "icon, not cursor";
    EXPECT_EQ(1, head[2]) << "one image";
    GroupIconEntry entry;
    memcpy(&entry, group.data() + 6, sizeof(entry));
    EXPECT_EQ(32, entry.width);
    EXPECT_EQ(32, entry.height);
    EXPECT_EQ(16, entry.colourCount);
    EXPECT_EQ(4, entry.bitCount);
    EXPECT_EQ(1, entry.id);

    std::vector<BYTE> image = RawResource((LPCSTR)RT_ICON, MAKEINTRESOURCEA(entry.id));
    ASSERT_EQ(entry.bytesInRes, image.size());
    BITMAPINFOHEADER header;
    ASSERT_GE(image.size(), sizeof(header));
    memcpy(&header, image.data(), sizeof(header));
    EXPECT_EQ(32, header.biWidth);
    EXPECT_EQ(64, header.biHeight) << "colour rows and mask rows";
    EXPECT_EQ(4, header.biBitCount);
    // Header, 16 colours, 4-bit colour rows, 1-bit mask rows.
    EXPECT_EQ(40u + 16 * 4 + 32 * 16 + 32 * 4, image.size());

    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP));
    EXPECT_NE(nullptr, icon);
}

TEST(Images, LanguageRecordHolds1033)
{
    std::vector<BYTE> raw = RawResource(MAKEINTRESOURCEA(255), MAKEINTRESOURCEA(1));
    ASSERT_EQ(4u, raw.size());
    DWORD value;
    memcpy(&value, raw.data(), 4);
    EXPECT_EQ(1033u, value);
}

namespace {

struct FoundResources {
    std::set<std::string> names;
    std::set<WORD> languages;
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
{
    ((FoundResources*)param)->languages.insert(language);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    std::string key = std::to_string((ULONG_PTR)type) + "/" +
                      (IS_INTRESOURCE(name) ? std::to_string((ULONG_PTR)name) : std::string(name));
    ((FoundResources*)param)->names.insert(key);
    EnumResourceLanguagesA(module, type, name, CollectLanguage, param);
    return TRUE;
}

} // namespace

TEST(Images, EveryResourceIsUSEnglishAndThereIsNoVersionResource)
{
    HMODULE module = GetModuleHandleA(nullptr);
    FoundResources found;
    for (ULONG_PTR type : {(ULONG_PTR)RT_BITMAP, (ULONG_PTR)RT_ICON, (ULONG_PTR)RT_GROUP_ICON,
                           (ULONG_PTR)RT_DIALOG, (ULONG_PTR)RT_STRING, (ULONG_PTR)255})
        EnumResourceNamesA(module, (LPCSTR)type, CollectName, (LONG_PTR)&found);
    // String blocks: 1 (ids 0-15), 2 (16-31), 7 (96-111), 3585 (57344-57359).
    std::set<std::string> expected = {"2/101", "3/1", "14/102", "5/103", "5/104", "5/105", "5/106", "5/107",
                                      "5/108", "6/1", "6/2", "6/7", "6/3585", "255/1"};
    EXPECT_EQ(expected, found.names);
    EXPECT_EQ(std::set<WORD>{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}, found.languages);
    EXPECT_EQ(nullptr, FindResourceA(module, MAKEINTRESOURCEA(1), (LPCSTR)RT_VERSION));
    FoundResources versions;
    EnumResourceNamesA(module, (LPCSTR)RT_VERSION, CollectName, (LONG_PTR)&versions);
    EXPECT_TRUE(versions.names.empty());
}
