// The string table: every text byte for byte as the program reads it (code page 1250).
#include <gtest/gtest.h>
#include <set>
#include "restest.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "resource.h"

namespace {

struct Text {
    UINT id;
    const char* utf8;
};

const char* const kDamaged =
    "A telepítő fájl sérült, telepítés megszakítva.\n\nKérjük töltse le a terméket honlapunkról: "
    MAKER_URL " majd a telepítést próbálja újra.";

const Text kStrings[] = {
    {1, "A Glimra egy példánya jelenleg is fut.\nAmennyiben az \"Igen\" gombot választja, a TELEPÍTŐ "
        "megpróbálja bezárni azt, mely az esetleges módosítások elvesztését okozhatja.\n\nFolytatja a telepítést?"},
    {2, "Glimra Telepítő"},
    {3, "A Glimra telepítése megszakadt. Kérjük zárja be a Glimra másik futó példányát, az esetleges "
        "változások mentése után, majd indítsa újra a telepítőt."},
    {4, "%d példányban fut jelenleg a Glimra. Amennyiben az \"Igen\" gombot választja, a TELEPÍTŐ "
        "megpróbálja bezárni az esetleges változtatások mentése nélkül. \n\nFolytatja a telepítést?"},
    {6, "Ezzel teljesen eltávolítja a Glimra 5-öt.\nValóban folytatja?"},
    {7, "Kérjük fogadja el a licenc szerződést"},
    {8, "&Befejezés >"},
    {9, "A Glimra 5 sikeresen telepítésre került!"},
    {10, "Kérjük válassza a \"Befejezés >\" gombot a telepítés befejezéséhez."},
    {11, "Valóban megszakítja a Glimra 5 telepítését?"},
    {12, "Kérjük válassza ki a mappát, ahová a Glimra 5-öt telepíteni szeretné."},
    {13, "Érvénytelen mappa nevet adott meg. Kérjük javítsa ki.\nAmennyiben új mappát szeretne "
         "létrehozni, Kérjük válassza az \"Új mappa létrehozása\" gombot."},
    {14, "A Glimra ver. 5 nem telepíthető ugyanabba a mappába, mnt ahova a 4.xx-es verziót "
         "telepítette. Kérjük válasszon egy másik mappát."},
    {15, "Glimra 5"},
    {16, "A Glimra %d.%02d.%02d.%02d verziója már telepítve van erre a gépre.\nÖn most egy régebbi "
         "verziót próbál telepíteni: %d.%02d.%02d.%02d .\n\nValóban folytatja?"},
    {17, "A Glimra %d.%02d.%02d.%02d verziója már telepítve van ezen a gépen.\n\nValóban újra "
         "akarja telepíteni a programot?"},
    {18, kDamaged},
    {19, "Ez a mappa már tartalmazza a Glimra 5 régebbi verzióját. Amennyiben frissíteni, vagy újra "
         "telepíteni szeretné, ne változtasson a mappán."},
    {20, "Glimra 5 sikeresen el lett távolítva a gépről."},
    {21, "Igen"},
    {22, "Nem"},
    {23, "A Glimra 5 telepítése nem sikerült, a telepítő visszavonta a módosításokat."},
    {24, "Az első hiba: %s"},
    {25, "A Glimra 5 eltávolítása nem teljes."},
    {26, "Nem sikerült törölni, a gépen maradt:"},
    {27, "A gépen maradt, a Windows következő indításakor törlődik:"},
    {28, "Kérjük válassza a \"Befejezés >\" gombot a telepítő bezárásához."},
    {29, "Ezen a gépen már folyamatban van a Glimra 5 egy telepítése vagy eltávolítása.\nKérjük várja meg, amíg "
         "befejeződik, majd próbálja újra."},
    {100, "Glimra 5"},
    {101, "Glimra 5 Súgó"},
    {102, "Bővebben a Glimra 5-ről"},
    {104, "A Glimra 5 eltávolítása"},
    {57344, "Glimra Telepítő"},
};

// String resources come in blocks of 16; block b holds ids (b - 1) * 16 to (b - 1) * 16 + 15.
BOOL CALLBACK CollectStringIds(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (!IS_INTRESOURCE(name)) return TRUE;
    UINT first = ((UINT)(ULONG_PTR)name - 1) * 16;
    for (UINT id = first; id < first + 16; id++) {
        WCHAR buffer[8];
        if (LoadStringW(module, id, buffer, 8) > 0) ((std::set<UINT>*)param)->insert(id);
    }
    return TRUE;
}

std::string LoadAnsi(UINT id)
{
    char buffer[2048];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof(buffer));
    return std::string(buffer, n > 0 ? n : 0);
}

} // namespace

TEST(StringTable, RunsUnderTheHungarianAnsiCodePage)
{
    EXPECT_EQ(1250u, GetACP()) << "the texts below are compared in code page 1250";
}

TEST(StringTable, EveryTextReadsByteForByteInCodePage1250)
{
    for (const Text& t : kStrings) {
        std::string expected = Cp1250(t.utf8);
        std::string actual = LoadAnsi(t.id);
        EXPECT_EQ(expected, actual) << "string " << t.id << "\n expected: " << Escaped(expected)
                                    << "\n actual:   " << Escaped(actual);
        CString viaHelper = LoadResString(t.id);
        EXPECT_EQ(expected, std::string(viaHelper.GetString(), viaHelper.GetLength()))
            << "LoadResString(" << t.id << ")";
    }
}

TEST(StringTable, HoldsExactlyTheListedIds)
{
    std::set<UINT> expected;
    for (const Text& t : kStrings) expected.insert(t.id);

    std::set<UINT> found;
    ASSERT_TRUE(EnumResourceNamesA(GetModuleHandleA(nullptr), (LPCSTR)RT_STRING, CollectStringIds, (LONG_PTR)&found));
    EXPECT_EQ(expected, found);
    EXPECT_EQ(0, LoadResString(5).GetLength()) << "an absent string reads as empty";
    EXPECT_EQ(0, LoadResString(103).GetLength());
}

TEST(StringTable, AccentedLettersAreTheirCodePage1250Bytes)
{
    // Written out byte by byte, so a wrong conversion in the test itself cannot hide a fault.
    EXPECT_EQ(std::string("Glimra Telep\xED" "t\xF5"), LoadAnsi(IDS_SETUP_CAPTION));
    EXPECT_EQ(std::string("Glimra Telep\xED" "t\xF5"), LoadAnsi(IDS_APP_TITLE));
    EXPECT_EQ(std::string("Glimra 5 S\xFAg\xF3"), LoadAnsi(IDS_HELP_SHORTCUT));
    EXPECT_EQ(std::string("B\xF5vebben a Glimra 5-r\xF5l"), LoadAnsi(IDS_README_SHORTCUT));
    EXPECT_EQ(std::string("Glimra 5 sikeresen el lett t\xE1vol\xEDtva a g\xE9pr\xF5l."), LoadAnsi(IDS_UNINSTALLED));
    EXPECT_EQ(std::string("&Befejez\xE9s >"), LoadAnsi(IDS_FINISH));
    EXPECT_EQ(0u, LoadAnsi(IDS_INVALID_FOLDER).find("\xC9rv\xE9nytelen mappa"));
    EXPECT_NE(std::string::npos, LoadAnsi(IDS_OLDER_VERSION).find("g\xE9pre.\n\xD6n most"));
    EXPECT_NE(std::string::npos, LoadAnsi(IDS_CONFIRM_UNINSTALL).find("5-\xF6t.\nVal\xF3" "ban"));
}

TEST(StringTable, LineBreaksAndQuotesAreSingleCharacters)
{
    std::string one = LoadAnsi(IDS_ONE_COPY_RUNNING);
    EXPECT_EQ(std::string::npos, one.find('\r')) << Escaped(one);
    EXPECT_NE(std::string::npos, one.find("fut.\nAmennyiben az \"Igen\" gombot")) << Escaped(one);
    EXPECT_NE(std::string::npos, one.find(".\n\nFolytatja")) << Escaped(one);
    std::string many = LoadAnsi(IDS_COPIES_RUNNING);
    EXPECT_NE(std::string::npos, many.find("n\xE9lk\xFCl. \n\nFolytatja")) << Escaped(many);
}

TEST(StringTable, DamagedPackageTextNamesTheMakersSite)
{
    std::string text = LoadAnsi(IDS_DAMAGED_PACKAGE);
    EXPECT_EQ(0, strncmp(MAKER_URL, "http://", 7));
    std::string address = std::string("honlapunkr\xF3l: ") + MAKER_URL + " majd a telep\xED" "t\xE9st";
    EXPECT_NE(std::string::npos, text.find(address)) << Escaped(text);
    EXPECT_EQ(std::string("A telep\xED" "t\xF5 f\xE1jl s\xE9r\xFClt"), text.substr(0, 22)) << Escaped(text);
}

TEST(StringTable, VersionMessagesFormatWithTheirPlaceholders)
{
    char buffer[512];
    snprintf(buffer, sizeof(buffer), LoadAnsi(IDS_OLDER_VERSION).c_str(), 5, 40, 6, 1, 5, 40, 6, 0);
    EXPECT_EQ(Cp1250("A Glimra 5.40.06.01 verziója már telepítve van erre a gépre.\nÖn most egy régebbi "
                     "verziót próbál telepíteni: 5.40.06.00 .\n\nValóban folytatja?"), std::string(buffer));
    snprintf(buffer, sizeof(buffer), LoadAnsi(IDS_COPIES_RUNNING).c_str(), 3);
    EXPECT_EQ(0, strncmp(buffer, "3 p\xE9ld\xE1nyban fut", 16)) << Escaped(buffer);
}
