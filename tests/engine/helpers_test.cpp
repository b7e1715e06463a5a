#include <gtest/gtest.h>
#include "engine/helpers.h"
#include <string>

// The values of the registry helpers' tests live under this key of HKEY_CURRENT_USER.
static const char* const kTestKey = "Software\\glmtest\\engine";
static const char* const kNestedKey = "Software\\glmtest\\engine\\a\\b";

class RegStrings : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kNestedKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\glmtest\\engine\\a");
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\glmtest");
    }
    static void SetRaw(const char* name, DWORD type, const std::string& bytes)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, type, (const BYTE*)bytes.data(), (DWORD)bytes.size());
        RegCloseKey(key);
    }
};

TEST_F(RegStrings, WriteCreatesTheKeyChainAndReadsBack)
{
    EXPECT_STREQ("", ReadRegString(HKEY_CURRENT_USER, kNestedKey, "Path"));  // missing key
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kNestedKey, "Path", "C:\\Program Files\\Glimra 5"));
    EXPECT_STREQ("C:\\Program Files\\Glimra 5", ReadRegString(HKEY_CURRENT_USER, kNestedKey, "Path"));
    EXPECT_STREQ("", ReadRegString(HKEY_CURRENT_USER, kNestedKey, "Other"));  // missing value

    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kNestedKey, nullptr, "default text"));
    EXPECT_STREQ("default text", ReadRegString(HKEY_CURRENT_USER, kNestedKey, nullptr));

    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kNestedKey, 0, KEY_READ, &key));
    DWORD type = 0, size = 0;
    char data[64] = {};
    size = sizeof data;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Path", nullptr, &type, (BYTE*)data, &size));
    RegCloseKey(key);
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(strlen("C:\\Program Files\\Glimra 5") + 1, size);  // the terminating NUL is stored
}

TEST_F(RegStrings, ValueUpTo260BytesFitsLongerOneReadsEmpty)
{
    std::string fits(259, 'a');
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kTestKey, "Fits", fits.c_str()));  // 260 bytes with NUL
    EXPECT_STREQ(fits.c_str(), ReadRegString(HKEY_CURRENT_USER, kTestKey, "Fits"));

    std::string tooLong(260, 'b');
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kTestKey, "Long", tooLong.c_str()));
    EXPECT_STREQ("", ReadRegString(HKEY_CURRENT_USER, kTestKey, "Long"));

    // 260 bytes without a NUL of their own still end in the buffer.
    SetRaw("Raw", REG_BINARY, std::string(260, 'c'));
    EXPECT_STREQ(std::string(260, 'c').c_str(), ReadRegString(HKEY_CURRENT_USER, kTestKey, "Raw"));
}

TEST_F(RegStrings, TypeIsNotLookedAtAndTheTextEndsAtTheFirstNul)
{
    SetRaw("Bin", REG_BINARY, std::string("ab\0cd", 5));
    EXPECT_STREQ("ab", ReadRegString(HKEY_CURRENT_USER, kTestKey, "Bin"));
    SetRaw("Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
    EXPECT_STREQ("%TEMP%\\x", ReadRegString(HKEY_CURRENT_USER, kTestKey, "Expand"));
}
