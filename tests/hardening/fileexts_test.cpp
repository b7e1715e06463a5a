// The per-user file-type values the uninstaller restores ("Application" and "GlmrOld" under
// FileExts\.bmp), in shapes the capture application would not leave: other types, no terminating
// NUL, empty, at and past the 512-byte buffer. Every row: a value that does not fit counts
// as unreadable, heaps intact, and no other extension touched.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "engine/names.h"
#include "uninstall/uninstall.h"

#define BMP_KEY FILE_EXTS_KEY "\\.bmp"
#define GIF_KEY FILE_EXTS_KEY "\\.gif"
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

struct Value {
    bool present;
    DWORD type;
    std::string bytes;
};

static const Value kNone = { false, 0, "" };
static Value Sz(const std::string& text) { return { true, REG_SZ, text + '\0' }; }
static Value Raw(DWORD type, const std::string& bytes) { return { true, type, bytes }; }

struct FileExtsRow {
    std::string name;
    Value application, previous;
    Value applicationAfter, previousAfter;
};

static void PrintTo(const FileExtsRow& row, std::ostream* out) { *out << row.name; }

static std::vector<FileExtsRow> Rows()
{
    std::string long600 = Repeat('p', 590) + "\\Glmr5.exe";
    std::string exact512 = "C:\\" + Repeat('p', 499) + "\\Glmr5.exe";  // 512 bytes, no NUL
    Value app = Sz("C:\\Glimra 5\\Glmr5.exe");
    return {
        { "ApplicationWithoutNul", Raw(REG_SZ, "C:\\G\\Glmr5.exe"), Sz("paint.exe"), Sz("paint.exe"), kNone },
        { "ApplicationBinary", Raw(REG_BINARY, "C:\\G\\Glmr5.exe"), Sz("paint.exe"), Sz("paint.exe"), kNone },
        { "ApplicationDword", Raw(REG_DWORD, "Glmr"), Sz("paint.exe"), Raw(REG_DWORD, "Glmr"), Sz("paint.exe") },
        { "ApplicationLongerThanBuffer", Sz(long600), Sz("paint.exe"), Sz(long600), Sz("paint.exe") },
        { "Application512BytesNoNul", Raw(REG_BINARY, exact512), Sz("paint.exe"), Sz("paint.exe"), kNone },
        { "Application513Bytes", Raw(REG_BINARY, exact512 + "x"), Sz("paint.exe"), Raw(REG_BINARY, exact512 + "x"),
          Sz("paint.exe") },
        { "ApplicationNameAfterNul", Raw(REG_SZ, BYTES("x\0C:\\Glmr5.exe\0")), Sz("paint.exe"),
          Raw(REG_SZ, BYTES("x\0C:\\Glmr5.exe\0")), Sz("paint.exe") },
        { "ApplicationEmpty", Raw(REG_SZ, ""), Sz("paint.exe"), Raw(REG_SZ, ""), Sz("paint.exe") },
        { "PreviousLongerThanBuffer", app, Sz(Repeat('q', 600)), kNone, kNone },
        { "PreviousWithoutNul", app, Raw(REG_SZ, "paint.exe"), Sz("paint.exe"), kNone },
        { "PreviousDword", app, Raw(REG_DWORD, BYTES("cba\0")), Sz("cba"), kNone },
        { "PreviousEmpty", app, Raw(REG_SZ, ""), kNone, kNone },
        { "Previous512BytesNoNul", app, Raw(REG_BINARY, Repeat('r', 512)), Sz(Repeat('r', 512)), kNone },
        { "PreviousMissing", app, kNone, kNone, kNone },
    };
}

static Value ReadValue(const char* key, const char* name)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return kNone;
    std::string data(4096, '\0');
    DWORD size = (DWORD)data.size(), type = 0;
    LONG result = RegQueryValueExA(handle, name, nullptr, &type, (BYTE*)&data[0], &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return kNone;
    return { true, type, data.substr(0, size) };
}

static void WriteValue(const char* key, const char* name, const Value& value)
{
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    if (value.present) RegSetValueExA(handle, name, 0, value.type, (const BYTE*)value.bytes.data(), (DWORD)value.bytes.size());
    RegCloseKey(handle);
}

static std::string Show(const Value& value)
{
    if (!value.present) return "<none>";
    std::string text = std::to_string(value.type) + ":";
    for (char ch : value.bytes) text += ch ? std::string(1, ch) : std::string("\\0");
    return text;
}

class OddFileTypeValue : public ::testing::TestWithParam<FileExtsRow> {
protected:
    void SetUp() override
    {
        m_folder = FreshFolder(HARD_ROOT "\\fileexts");
        HKEY key;
        m_hadFileExts = RegOpenKeyExA(HKEY_CURRENT_USER, FILE_EXTS_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (m_hadFileExts) RegCloseKey(key);
        Clean();
    }
    void TearDown() override
    {
        Clean();
        // The rows make the per-user key; a system that had none gets none back.
        if (!m_hadFileExts) RegDeleteKeyA(HKEY_CURRENT_USER, FILE_EXTS_KEY);
        RemoveTree(m_folder);
    }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, BMP_KEY);
        RegDeleteKeyA(HKEY_CURRENT_USER, GIF_KEY);
    }
    std::string m_folder;
    bool m_hadFileExts = false;
};

TEST_P(OddFileTypeValue, RestoredAsTheDesignSays)
{
    const FileExtsRow& row = GetParam();
    WriteValue(BMP_KEY, "Application", row.application);
    WriteValue(BMP_KEY, "GlmrOld", row.previous);
    // Another extension that was not taken over keeps its values.
    WriteValue(GIF_KEY, "Application", Sz("other.exe"));
    WriteValue(GIF_KEY, "GlmrOld", Sz("older.exe"));

    RunUninstall((m_folder + "\\").c_str());

    EXPECT_EQ(Show(row.applicationAfter), Show(ReadValue(BMP_KEY, "Application")));
    EXPECT_EQ(Show(row.previousAfter), Show(ReadValue(BMP_KEY, "GlmrOld")));
    EXPECT_EQ(Show(Sz("other.exe")), Show(ReadValue(GIF_KEY, "Application")));
    EXPECT_EQ(Show(Sz("older.exe")), Show(ReadValue(GIF_KEY, "GlmrOld")));
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, OddFileTypeValue, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<FileExtsRow>& info) { return info.param.name; });
