// The Internet shortcut "HomePage.url" whose query goes onto the maker's page address. It is read
// in lines of at most 259 characters: a longer line goes on as the following lines. Every row: no
// crash, nothing written past the query buffer, heaps intact, the file unchanged, and the query a
// 259-character read gives.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "core/installtext.h"

struct ShortcutRow {
    std::string name;
    std::string text;
    std::string query;
};

static void PrintTo(const ShortcutRow& row, std::ostream* out) { *out << row.name; }

static const size_t kRead = SHORTCUT_LINE_SIZE - 1;  // characters of one line read

static std::vector<ShortcutRow> Rows()
{
    const std::string head = "[InternetShortcut]\n";
    const std::string address = "URL=http://www.orvane.example/x.asp?";
    std::string longQuery = "ref=" + Repeat('q', 100 * 1024);
    // The first read of the long line ends 259 characters into it.
    std::string cutQuery = ("?" + longQuery).substr(0, kRead - (address.size() - 1));
    // A long line of something else: its 259-character pieces are lines of their own, so a piece
    // that begins with the address is taken.
    std::string planted = "X=" + Repeat('p', kRead - 2) + "URL=http://elsewhere.example/?planted=1" +
                          Repeat('p', 100 * 1024);
    std::string plantedQuery = ("?planted=1" + Repeat('p', kRead)).substr(0, kRead - 29);
    return {
        { "AddressLineOf100KB", head + address + longQuery + "\nURL=http://www.orvane.example/?second\n", cutQuery },
        { "AddressLineOf100KBWithoutLineEnd", head + address + longQuery, cutQuery },
        { "QuestionMarkPastTheFirstRead", head + "URL=http://www.orvane.example/" + Repeat('d', 100 * 1024) + "?late=1\n",
          "" },
        { "OtherLineOf100KBBeforeTheAddress", head + "IconFile=" + Repeat('i', 100 * 1024) + "\nURL=http://h/?id=5\r\n",
          "?id=5" },
        { "AddressPieceInsideALongLine", head + planted + "\n", plantedQuery },
        { "LineOfExactly259", head + address + Repeat('a', kRead - address.size()) + "\nURL=http://h/?b\n",
          "?" + Repeat('a', kRead - address.size()) },
        { "LineOf260", head + address + Repeat('a', kRead + 1 - address.size()) + "\n",
          "?" + Repeat('a', kRead - address.size()) },
        { "HundredKBOfNulBytes", std::string(100 * 1024, '\0') + "\nURL=http://h/?after\n", "?after" },
    };
}

class LongShortcut : public ::testing::TestWithParam<ShortcutRow> {
protected:
    void SetUp() override { m_folder = FreshFolder(HARD_ROOT "\\homepage"); }
    void TearDown() override { RemoveTree(m_folder); }
    std::string m_folder;
};

TEST_P(LongShortcut, QueryIsWhatA259CharacterReadGives)
{
    const ShortcutRow& row = GetParam();
    std::string path = m_folder + "\\HomePage.url";
    WriteFileBytes(path, row.text);
    // The query buffer of the driver, with guard bytes behind it.
    char buffer[SHORTCUT_LINE_SIZE + 64];
    memset(buffer, 0x5A, sizeof buffer);
    ReadShortcutQuery(path.c_str(), buffer, SHORTCUT_LINE_SIZE);
    std::string query(buffer, strnlen(buffer, SHORTCUT_LINE_SIZE));
    ASSERT_LT(query.size(), (size_t)SHORTCUT_LINE_SIZE) << "no NUL inside the buffer";
    EXPECT_EQ(row.query.size(), query.size());
    EXPECT_EQ(row.query, query);
    size_t touched = 0;
    for (size_t i = SHORTCUT_LINE_SIZE; i < sizeof buffer; i++)
        if (buffer[i] != 0x5A) touched++;
    EXPECT_EQ(0u, touched) << "bytes written past the query buffer";
    EXPECT_EQ(row.text, ReadFileBytes(path)) << "the shortcut was changed";
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, LongShortcut, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<ShortcutRow>& info) { return info.param.name; });

TEST(LongShortcutMissing, LeavesTheQueryEmpty)
{
    char query[SHORTCUT_LINE_SIZE];
    memset(query, 'x', sizeof query);
    ReadShortcutQuery(HARD_ROOT "\\no such folder\\HomePage.url", query, sizeof query);
    EXPECT_EQ(0, query[0]);
}
