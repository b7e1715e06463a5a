// Registry values the program reads, in shapes it does not write: other types, no terminating NUL,
// empty, longer than the 260-byte buffer. Every row: the quiet outcome of the design (the text up
// to the first NUL when the value fits in 260 bytes, else nothing; the type is not looked at),
// heaps intact, and the value itself left as it was.
#include <gtest/gtest.h>
#include "hardfs.h"
#include "core/detect.h"
#include "engine/names.h"

enum class Reader { InstalledDir, ProgramFilesDir };

struct RegistryRow {
    std::string name;
    const char* key;
    const char* value;  // null: the key's default value
    DWORD type;
    std::string bytes;
    Reader reader;
    std::string expected;
};

static void PrintTo(const RegistryRow& row, std::ostream* out) { *out << row.name; }

#define BYTES(literal) std::string(literal, sizeof(literal) - 1)
#define APP_PATH_KEY APP_PATHS_KEY "\\" APP_EXE_NAME

static std::string Dword(DWORD value) { return std::string((const char*)&value, 4); }

static std::vector<RegistryRow> Rows()
{
    const std::string long300 = "D:\\" + Repeat('a', 297);
    const std::string exact260 = "D:\\" + Repeat('a', 257);
    const std::string app260 = "D:\\" + Repeat('a', 247) + "\\Glmr5.exe";
    return {
        // "Path" under the first source of the installed folder.
        { "PathDword", LEGACY_SETTINGS_KEY, "Path", REG_DWORD, Dword(0x005C3A44), Reader::InstalledDir, "D:" },
        { "PathBinaryNoNul", LEGACY_SETTINGS_KEY, "Path", REG_BINARY, "D:\\Tools\\Glimra 5\\", Reader::InstalledDir,
          "D:\\Tools\\Glimra 5" },
        { "PathStringNoNul", LEGACY_SETTINGS_KEY, "Path", REG_SZ, "D:\\Apps", Reader::InstalledDir, "D:\\Apps" },
        { "PathEmpty", LEGACY_SETTINGS_KEY, "Path", REG_SZ, "", Reader::InstalledDir, "" },
        { "PathOnlyNul", LEGACY_SETTINGS_KEY, "Path", REG_SZ, BYTES("\0"), Reader::InstalledDir, "" },
        { "PathLongerThanBuffer", LEGACY_SETTINGS_KEY, "Path", REG_SZ, long300 + '\0', Reader::InstalledDir, "" },
        { "Path260BytesNoNul", LEGACY_SETTINGS_KEY, "Path", REG_BINARY, exact260, Reader::InstalledDir, exact260 },
        { "Path261Bytes", LEGACY_SETTINGS_KEY, "Path", REG_BINARY, exact260 + "b", Reader::InstalledDir, "" },
        { "PathMultiString", LEGACY_SETTINGS_KEY, "Path", REG_MULTI_SZ, BYTES("D:\\A\0D:\\B\0\0"), Reader::InstalledDir,
          "D:\\A" },
        { "PathEmbeddedNul", LEGACY_SETTINGS_KEY, "Path", REG_SZ, BYTES("D:\\A\\\0junk\0"), Reader::InstalledDir, "D:\\A" },
        { "PathExpandString", LEGACY_SETTINGS_KEY, "Path", REG_EXPAND_SZ, BYTES("%ProgramFiles%\\G\0"),
          Reader::InstalledDir, "%ProgramFiles%\\G" },
        // The default value of the application's App Paths key, the second source.
        { "AppPathDword", APP_PATH_KEY, nullptr, REG_DWORD, Dword(0x6C6D475C), Reader::InstalledDir, "" },
        { "AppPathBinaryNoNul", APP_PATH_KEY, nullptr, REG_BINARY, "D:\\T\\Glmr5.exe", Reader::InstalledDir, "D:\\T" },
        { "AppPathStringNoNul", APP_PATH_KEY, nullptr, REG_SZ, "D:\\T\\Glmr5.exe", Reader::InstalledDir, "D:\\T" },
        { "AppPathEmpty", APP_PATH_KEY, nullptr, REG_SZ, "", Reader::InstalledDir, "" },
        { "AppPathLongerThanBuffer", APP_PATH_KEY, nullptr, REG_SZ, long300 + "\\Glmr5.exe" + '\0',
          Reader::InstalledDir, "" },
        { "AppPath260BytesNoNul", APP_PATH_KEY, nullptr, REG_BINARY, app260, Reader::InstalledDir,
          app260.substr(0, 250) },
        { "AppPathOnlyTheName", APP_PATH_KEY, nullptr, REG_SZ, BYTES("\\Glmr5.exe\0"), Reader::InstalledDir, "" },
        { "AppPathNameCutByNul", APP_PATH_KEY, nullptr, REG_SZ, BYTES("D:\\T\\Glm\0r5.exe\0"), Reader::InstalledDir, "" },
        // The machine's program folder; an unusable value falls back to the Windows drive.
        { "ProgramFilesDword", CURRENT_VERSION_KEY, "ProgramFilesDir", REG_DWORD, Dword(0x005C3A44),
          Reader::ProgramFilesDir, "D:" },
        { "ProgramFilesBinaryNoNul", CURRENT_VERSION_KEY, "ProgramFilesDir", REG_BINARY, "E:\\Progs\\",
          Reader::ProgramFilesDir, "E:\\Progs" },
        { "ProgramFilesEmpty", CURRENT_VERSION_KEY, "ProgramFilesDir", REG_SZ, "", Reader::ProgramFilesDir,
          "C:\\Program Files" },
        { "ProgramFilesLongerThanBuffer", CURRENT_VERSION_KEY, "ProgramFilesDir", REG_SZ, long300 + '\0',
          Reader::ProgramFilesDir, "C:\\Program Files" },
        { "ProgramFilesMultiString", CURRENT_VERSION_KEY, "ProgramFilesDir", REG_MULTI_SZ, BYTES("E:\\P\0F:\\Q\0\0"),
          Reader::ProgramFilesDir, "E:\\P" },
    };
}

// The raw value (type and bytes), or "<none>".
static std::string RawValue(const char* key, const char* value)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return "<none>";
    char data[4096];
    DWORD size = sizeof data, type = 0;
    LONG result = RegQueryValueExA(handle, value, nullptr, &type, (BYTE*)data, &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return "<none>";
    return std::to_string(type) + ":" + std::string(data, size);
}

class BadRegistryValue : public ::testing::TestWithParam<RegistryRow> {
protected:
    void SetUp() override
    {
        m_programFiles = SaveValue(CURRENT_VERSION_KEY, "ProgramFilesDir");
        Clean();
    }
    void TearDown() override
    {
        Clean();
        RestoreValue(CURRENT_VERSION_KEY, "ProgramFilesDir", m_programFiles);
    }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" MAKER_NAME);  // only when nothing else is in it
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_PATH_KEY);
    }
    struct Saved { bool present; DWORD type; std::string bytes; };
    static Saved SaveValue(const char* key, const char* value)
    {
        Saved saved = { false, 0, "" };
        HKEY handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return saved;
        char data[4096];
        DWORD size = sizeof data;
        saved.present = RegQueryValueExA(handle, value, nullptr, &saved.type, (BYTE*)data, &size) == ERROR_SUCCESS;
        if (saved.present) saved.bytes.assign(data, size);
        RegCloseKey(handle);
        return saved;
    }
    static void RestoreValue(const char* key, const char* value, const Saved& saved)
    {
        HKEY handle;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
            return;
        if (saved.present)
            RegSetValueExA(handle, value, 0, saved.type, (const BYTE*)saved.bytes.data(), (DWORD)saved.bytes.size());
        else
            RegDeleteValueA(handle, value);
        RegCloseKey(handle);
    }
    Saved m_programFiles;
};

TEST_P(BadRegistryValue, ReadAsTheDesignSays)
{
    const RegistryRow& row = GetParam();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, row.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, row.value, 0, row.type, (const BYTE*)row.bytes.data(), (DWORD)row.bytes.size()));
    RegCloseKey(key);
    std::string before = RawValue(row.key, row.value);

    CString result = row.reader == Reader::InstalledDir ? GetInstalledDir() : GetProgramFilesDir();
    EXPECT_EQ(row.expected, std::string((const char*)result)) << "length " << result.GetLength();
    EXPECT_EQ(before, RawValue(row.key, row.value)) << "the value was changed";
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, BadRegistryValue, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<RegistryRow>& info) { return info.param.name; });
