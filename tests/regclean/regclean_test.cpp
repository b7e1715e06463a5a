// Registry cleanup of an uninstall, against the real Wine registry.
#include <gtest/gtest.h>
#include "sandbox.h"
#include "uninstall/regclean.h"

namespace {

const char kSettings[] = "SOFTWARE\\Orvane\\Glimra v.5";
const char kMaker[] = "SOFTWARE\\Orvane";
const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kAppPaths[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kDefaultHive[] = ".DEFAULT";

void RemoveProductKeys()
{
    RemoveAppRegistryKeys("Orvane", "Glimra v.5", "Glimra 5", "Glmr5.exe");
}

// Every hive of HKEY_USERS opened with full access, and its name.
std::vector<std::string> UserHives()
{
    std::vector<std::string> names;
    char name[512];
    for (DWORD i = 0; RegEnumKeyA(HKEY_USERS, i, name, sizeof(name)) == ERROR_SUCCESS; i++) names.push_back(name);
    return names;
}

class RegCleanTest : public ::testing::Test {
protected:
    Sandbox m_box{"regclean"};

    void CleanExtras()
    {
        RegDeleteTree(HKEY_LOCAL_MACHINE, kMaker);
        RegDeleteTree(HKEY_CURRENT_USER, kMaker);
        RegDeleteTree(HKEY_USERS, std::string(kDefaultHive) + "\\" + kMaker);
        RegDeleteTree(HKEY_USERS, std::string(kDefaultHive) + "\\SOFTWARE\\GlmTestOther");
        RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker");
        RegDeleteTree(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5 Other");
        RegDeleteTree(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr6.exe");
        RegDeleteTree(HKEY_CLASSES_ROOT, "Glm5.Document");
    }
    void SetUp() override { CleanExtras(); }
    void TearDown() override { CleanExtras(); }
};

TEST_F(RegCleanTest, MakerKeyWithAnotherProductStays)
{
    RegSetString(HKEY_LOCAL_MACHINE, kSettings, "Path", "C:\\x");
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kSettings) + "\\Options", "a", "1");
    RegSetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvane\\Other Product", "Path", "C:\\y");
    RemoveProductKeys();
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kSettings));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kMaker));
    EXPECT_EQ("C:\\y", RegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvane\\Other Product", "Path"));
}

TEST_F(RegCleanTest, MakerKeyWithOnlyValuesGoes)
{
    RegSetString(HKEY_LOCAL_MACHINE, kSettings, "AllUsers", "A");
    RegSetString(HKEY_LOCAL_MACHINE, kMaker, "Registered", "yes");
    RemoveProductKeys();
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kSettings));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kMaker));
}

TEST_F(RegCleanTest, ThreeLevelTreeWithSeveralChildrenGoes)
{
    // Three children at each of three levels below the settings key: 39 keys with values.
    for (const char* a : { "A", "B", "C" })
        for (const char* b : { "x", "y", "z" })
            for (const char* c : { "1", "2", "3" }) {
                std::string key = std::string(kSettings) + "\\" + a + "\\" + b + "\\" + c;
                RegSetString(HKEY_LOCAL_MACHINE, key, "v", key);
                RegSetString(HKEY_LOCAL_MACHINE, std::string(kSettings) + "\\" + a, "w", "1");
            }
    RegSetString(HKEY_LOCAL_MACHINE, kSettings, nullptr, "default");
    RemoveProductKeys();
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kSettings) + "\\A\\x\\1"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kSettings) + "\\C"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kSettings));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kMaker));
}

TEST_F(RegCleanTest, DeleteRegKeyTreeReportsWhetherTheKeyWent)
{
    RegSetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\T\\a\\b", "v", "1");
    RegSetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\T\\c", "v", "1");
    HKEY software;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker", 0, KEY_ALL_ACCESS, &software));
    EXPECT_TRUE(DeleteRegKeyTree(software, "T"));
    EXPECT_FALSE(RegKeyExists(software, "T"));
    EXPECT_FALSE(DeleteRegKeyTree(software, "T"));
    RegCloseKey(software);
}

TEST_F(RegCleanTest, DeleteRegKeyIfNoSubkeysKeepsAKeyWithChildren)
{
    RegSetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K\\child", "v", "1");
    DeleteRegKeyIfNoSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K");
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K\\child"));
    DeleteRegKeyIfNoSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K\\child");
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K\\child"));
    DeleteRegKeyIfNoSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K");
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K"));
    DeleteRegKeyIfNoSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\K");   // missing: nothing
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker"));
}

TEST_F(RegCleanTest, TheNamesArePassedIn)
{
    RegSetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker\\Prod\\sub", "v", "1");
    RegSetString(HKEY_LOCAL_MACHINE, kSettings, "v", "1");
    RemoveAppRegistryKeys("GlmTestMaker", "Prod", "Glimra 5 Other", "Glmr6.exe");
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\GlmTestMaker"));
    EXPECT_EQ("1", RegString(HKEY_LOCAL_MACHINE, kSettings, "v"));
}

TEST_F(RegCleanTest, EveryUserHiveIsCleaned)
{
    std::vector<std::string> hives = UserHives();
    ASSERT_GE(hives.size(), 2u) << "expected the default and the current user's hive";
    for (const std::string& hive : hives) {
        RegSetString(HKEY_USERS, hive + "\\" + kSettings, "Last", hive);
        RegSetString(HKEY_USERS, hive + "\\" + kSettings + "\\Window", "x", "1");
    }
    RemoveProductKeys();
    for (const std::string& hive : hives) {
        EXPECT_FALSE(RegKeyExists(HKEY_USERS, hive + "\\" + kSettings)) << hive;
        EXPECT_FALSE(RegKeyExists(HKEY_USERS, hive + "\\" + kMaker)) << hive;
    }
}

TEST_F(RegCleanTest, HiveWithoutTheMakerKeyIsLeftAloneAndTheNextIsHandled)
{
    std::vector<std::string> hives = UserHives();
    ASSERT_GE(hives.size(), 2u);
    // Each hive in turn holds the product's keys while the others do not.
    for (size_t owner = 0; owner < hives.size(); owner++) {
        for (size_t i = 0; i < hives.size(); i++) {
            RegSetString(HKEY_USERS, hives[i] + "\\SOFTWARE\\GlmTestOther", "keep", hives[i]);
            if (i == owner) {
                RegSetString(HKEY_USERS, hives[i] + "\\" + kSettings, "Last", "1");
                RegSetString(HKEY_USERS, hives[i] + "\\SOFTWARE\\Orvane\\Sibling", "s", "1");
            }
        }
        RemoveProductKeys();
        for (size_t i = 0; i < hives.size(); i++) {
            EXPECT_EQ(hives[i], RegString(HKEY_USERS, hives[i] + "\\SOFTWARE\\GlmTestOther", "keep"));
            EXPECT_FALSE(RegKeyExists(HKEY_USERS, hives[i] + "\\" + kSettings)) << hives[i];
            EXPECT_EQ(i == owner, RegKeyExists(HKEY_USERS, hives[i] + "\\SOFTWARE\\Orvane\\Sibling")) << hives[i];
            RegDeleteTree(HKEY_USERS, hives[i] + "\\SOFTWARE\\GlmTestOther");
            RegDeleteTree(HKEY_USERS, hives[i] + "\\" + kMaker);
        }
    }
}

TEST_F(RegCleanTest, DocumentClassUninstallEntryAndAppPathGo)
{
    RegSetString(HKEY_CLASSES_ROOT, "Glm5.Document\\shell\\open\\command", nullptr, "Glmr5.exe \"%1\"");
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5", "DisplayName", "Glimra 5");
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5 Other", "DisplayName", "x");
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr5.exe", nullptr, "C:\\x\\Glmr5.exe");
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr6.exe", nullptr, "C:\\x\\Glmr6.exe");
    RemoveProductKeys();
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "Glm5.Document"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr5.exe"));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5 Other"));
    EXPECT_EQ("C:\\x\\Glmr6.exe", RegString(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr6.exe", nullptr));
}

TEST_F(RegCleanTest, MissingEntriesDoNothing)
{
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5 Other", "DisplayName", "x");
    RegSetString(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr6.exe", nullptr, "C:\\x\\Glmr6.exe");
    ASSERT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kMaker));
    RemoveProductKeys();
    RemoveProductKeys();
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kMaker));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kUninstall));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kAppPaths));
    EXPECT_EQ("x", RegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "\\Glimra 5 Other", "DisplayName"));
    EXPECT_EQ("C:\\x\\Glmr6.exe", RegString(HKEY_LOCAL_MACHINE, std::string(kAppPaths) + "\\Glmr6.exe", nullptr));
}

} // namespace
