// The driver's text logic: switch scanning, version numbers, log lines and the shortcut's query.
#include <gtest/gtest.h>
#include "core/installtext.h"
#include <set>
#include <string>
#include <vector>

static std::set<std::string> g_existing;
static int FakeExists(const char* path) { return g_existing.count(path) ? 1 : 0; }

static InstallSwitches Scan(std::vector<const char*> args)
{
    InstallSwitches s = {};
    ScanInstallSwitches((int)args.size(), args.data(), FakeExists, &s);
    return s;
}

TEST(InstallSwitchesTest, InstallDirTakenOnlyWhenItExists)
{
    g_existing = { "D:\\Apps\\", "D:\\Apps", "E:\\", "F:/Tools/" };
    EXPECT_STREQ("D:\\Apps", Scan({ "-instdir", "D:\\Apps\\" }).installDir);
    EXPECT_STREQ("D:\\Apps", Scan({ "-instdir", "D:\\Apps" }).installDir);
    EXPECT_STREQ("E:", Scan({ "-instdir", "E:\\" }).installDir);
    EXPECT_STREQ("F:/Tools", Scan({ "-instdir", "F:/Tools/" }).installDir);
    EXPECT_STREQ("", Scan({ "-instdir", "D:\\Missing" }).installDir);
    // Case-sensitive, and a trailing switch alone does nothing.
    EXPECT_STREQ("", Scan({ "-INSTDIR", "D:\\Apps" }).installDir);
    EXPECT_STREQ("", Scan({ "-Instdir", "D:\\Apps" }).installDir);
    EXPECT_STREQ("", Scan({ "-instdir" }).installDir);
    // A later one overrides an earlier one, also with a missing folder.
    EXPECT_STREQ("E:", Scan({ "-instdir", "D:\\Apps", "-instdir", "E:\\" }).installDir);
    EXPECT_STREQ("", Scan({ "-instdir", "D:\\Apps", "-instdir", "D:\\Missing" }).installDir);
}

TEST(InstallSwitchesTest, InstallDirArgumentIsAlsoASwitch)
{
    g_existing = { "-runafter" };
    InstallSwitches s = Scan({ "-instdir", "-runafter" });
    EXPECT_STREQ("-runafter", s.installDir);
    EXPECT_EQ(1, s.runAfter);
}

TEST(InstallSwitchesTest, OverlongFolderIsIgnored)
{
    std::string longName(300, 'a');
    g_existing = { longName };
    EXPECT_STREQ("", Scan({ "-instdir", longName.c_str() }).installDir);
}

TEST(InstallSwitchesTest, OptionsInAnyCase)
{
    g_existing.clear();
    InstallSwitches none = Scan({ "-s", "foo", "-runafterx", "runafter" });
    EXPECT_EQ(0, none.runAfter + none.allUsers + none.autoStart + none.noDesktopIcon);
    InstallSwitches all = Scan({ "-RUNAFTER", "-AllUsers", "-autoSTART", "-NoDeskIco" });
    EXPECT_EQ(1, all.runAfter);
    EXPECT_EQ(1, all.allUsers);
    EXPECT_EQ(1, all.autoStart);
    EXPECT_EQ(1, all.noDesktopIcon);
    EXPECT_STREQ("", all.installDir);
}

TEST(VersionNumberTest, ComposedAndCarried)
{
    EXPECT_EQ(5400600u, ComposeVersionNumber(5, 40, 6, 0));
    EXPECT_LT(ComposeVersionNumber(5, 40, 6, 0), ComposeVersionNumber(5, 40, 6, 1));
    EXPECT_LT(ComposeVersionNumber(5, 40, 6, 1), ComposeVersionNumber(5, 40, 7, 0));
    // A component of 100 or more carries into the one before it.
    EXPECT_EQ(ComposeVersionNumber(5, 41, 0, 0), ComposeVersionNumber(5, 40, 100, 0));
    EXPECT_EQ(0u, ComposeVersionNumber(0, 0, 0, 0));
    // Unsigned 32-bit wrap-around, not undefined behaviour.
    EXPECT_EQ((unsigned)(65535u * 1000000u + 65535u * 10000u + 65535u * 100u + 65535u),
              ComposeVersionNumber(65535, 65535, 65535, 65535));
}

TEST(LineTextTest, TrimLineEnd)
{
    char a[] = "Shell Link: C:\\x.lnk \t\r\n";
    TrimLineEnd(a);
    EXPECT_STREQ("Shell Link: C:\\x.lnk", a);
    char b[] = "   ";
    TrimLineEnd(b);
    EXPECT_STREQ(" ", b);
    char c[] = "";
    TrimLineEnd(c);
    EXPECT_STREQ("", c);
    // Letters above 127 (code page 1250) are not white space.
    char d[] = "C:\\Programok\\S\xfag\xf3";
    TrimLineEnd(d);
    EXPECT_STREQ("C:\\Programok\\S\xfag\xf3", d);
}

TEST(LineTextTest, UrlQueryWithoutLineEnd)
{
    char query[260] = "unchanged";
    EXPECT_EQ(0, TakeUrlQuery("[InternetShortcut]\n", query, sizeof(query)));
    EXPECT_STREQ("unchanged", query);
    EXPECT_EQ(0, TakeUrlQuery("URL=https://x/?a=1\n", query, sizeof(query)));
    EXPECT_EQ(1, TakeUrlQuery("URL=http://www.example/page?id=7&x=y\r\n", query, sizeof(query)));
    EXPECT_STREQ("?id=7&x=y", query);
    EXPECT_EQ(1, TakeUrlQuery("URL=http://www.example/page?a?b\n", query, sizeof(query)));
    EXPECT_STREQ("?a?b", query);
    EXPECT_EQ(1, TakeUrlQuery("URL=http://www.example/page\n", query, sizeof(query)));
    EXPECT_STREQ("", query);
    char small[5];
    EXPECT_EQ(1, TakeUrlQuery("URL=http://h/?abcdef", small, sizeof(small)));
    EXPECT_STREQ("?abc", small);
}
