#include <gtest/gtest.h>
#include "framework.h"

TEST(CString, AppendsAndSearches)
{
    CString s("C:\\Program Files");
    s += "\\Glimra 5";
    EXPECT_STREQ("C:\\Program Files\\Glimra 5", s);
    EXPECT_EQ(2, s.Find('\\'));
    EXPECT_EQ(16, s.ReverseFind('\\'));
    EXPECT_EQ(-1, s.Find("glimra"));
    EXPECT_STREQ("Glimra 5", s.Mid(17));
    EXPECT_STREQ("C:", s.Left(2));
}

TEST(CString, SelfAssignmentFromItsOwnBufferKeepsTheText)
{
    CString s("abcdef");
    s = (const char*)s + 2;
    EXPECT_STREQ("cdef", s);
    s += (const char*)s;
    EXPECT_STREQ("cdefcdef", s);
}

TEST(CString, TrimsAndReplaces)
{
    CString s(" \t\\Tools/Glimra 5\\ \r\n");
    s.Replace('/', '\\');
    s.TrimLeft(" \t\r\n\\");
    s.TrimRight(" \t\r\n\\");
    EXPECT_STREQ("Tools\\Glimra 5", s);
    CString p("a.exe\\b.exe");
    EXPECT_EQ(2, p.Replace(".exe", ".locked"));
    EXPECT_STREQ("a.locked\\b.locked", p);
}

TEST(CString, FormatsLikePrintf)
{
    CString s;
    s.Format("%d.%02d.%02d.%02d", 5, 40, 6, 0);
    EXPECT_STREQ("5.40.06.00", s);
}

// Equality is byte for byte: no letter case folded, no character passed over as a collation
// rule would (the soft hyphen 0xAD of code page 1250 has no weight there).
TEST(CString, ComparesExactly)
{
    CString b("B");
    EXPECT_TRUE(b == "B");
    EXPECT_FALSE(b == "b");
    EXPECT_FALSE(b == "B\xad") << "soft hyphen ignored";
    EXPECT_FALSE(b == CString("\xad" "B")) << "soft hyphen ignored";
    EXPECT_TRUE(b != "B\xad");
    EXPECT_NE(0, CString(".").Compare(".\xad"));
    EXPECT_EQ(0, b.Compare("B"));
    EXPECT_GT(0, CString("A").Compare("B"));
}
