// Registry values the program reads, in shapes it does not write: other types, no terminating NUL,
// empty, longer than the 260-byte buffer. Every row: no failure shown (the text up
// to the first NUL when the value fits in 260 bytes, else nothing; the type is not looked at),
// heaps intact, and the value itself left as it was.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "core/detect.h"
#include "engine/helpers.h"
#include "engine/names.h"
#include "engine/shelllink.h"

enum class Reader { InstalledDir, ProgramFilesDir, AllUsers, ShellFolder };

struct RegistryRow {
    std::string name;
    HKEY root;
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
        { "PathDword", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_DWORD, Dword(0x005C3A44), Reader::InstalledDir, "D:" },
        { "PathBinaryNoNul", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_BINARY, "D:\\Tools\\Glimra 5\\", Reader::InstalledDir,
          "D:\\Tools\\Glimra 5" },
        { "PathStringNoNul", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_SZ, "D:\\Apps", Reader::InstalledDir, "D:\\Apps" },
        { "PathEmpty", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_SZ, "", Reader::InstalledDir, "" },
        { "PathOnlyNul", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_SZ, BYTES("\0"), Reader::InstalledDir, "" },
        { "PathLongerThanBuffer", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_SZ, long300 + '\0', Reader::InstalledDir, "" },
        { "Path260BytesNoNul", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_BINARY, exact260, Reader::InstalledDir, exact260 },
        { "Path261Bytes", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_BINARY, exact260 + "b", Reader::InstalledDir, "" },
        { "PathMultiString", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_MULTI_SZ, BYTES("D:\\A\0D:\\B\0\0"), Reader::InstalledDir,
          "D:\\A" },
        { "PathEmbeddedNul", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_SZ, BYTES("D:\\A\\\0junk\0"), Reader::InstalledDir, "D:\\A" },
        { "PathExpandString", HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY, "Path", REG_EXPAND_SZ, BYTES("%ProgramFiles%\\G\0"),
          Reader::InstalledDir, "%ProgramFiles%\\G" },
        // The default value of the application's App Paths key, the second source.
        { "AppPathDword", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_DWORD, Dword(0x6C6D475C), Reader::InstalledDir, "" },
        { "AppPathBinaryNoNul", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_BINARY, "D:\\T\\Glmr5.exe", Reader::InstalledDir, "D:\\T" },
        { "AppPathStringNoNul", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_SZ, "D:\\T\\Glmr5.exe", Reader::InstalledDir, "D:\\T" },
        { "AppPathEmpty", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_SZ, "", Reader::InstalledDir, "" },
        { "AppPathLongerThanBuffer", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_SZ, long300 + "\\Glmr5.exe" + '\0',
          Reader::InstalledDir, "" },
        { "AppPath260BytesNoNul", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_BINARY, app260, Reader::InstalledDir,
          app260.substr(0, 250) },
        { "AppPathOnlyTheName", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_SZ, BYTES("\\Glmr5.exe\0"), Reader::InstalledDir, "" },
        { "AppPathNameCutByNul", HKEY_LOCAL_MACHINE, APP_PATH_KEY, nullptr, REG_SZ, BYTES("D:\\T\\Glm\0r5.exe\0"), Reader::InstalledDir, "" },
        // The machine's program folder; an unusable value falls back to the Windows drive.
        { "ProgramFilesDword", HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", REG_DWORD, Dword(0x005C3A44),
          Reader::ProgramFilesDir, "D:" },
        { "ProgramFilesBinaryNoNul", HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", REG_BINARY, "E:\\Progs\\",
          Reader::ProgramFilesDir, "E:\\Progs" },
        { "ProgramFilesEmpty", HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", REG_SZ, "", Reader::ProgramFilesDir,
          "C:\\Program Files" },
        { "ProgramFilesLongerThanBuffer", HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", REG_SZ, long300 + '\0',
          Reader::ProgramFilesDir, "C:\\Program Files" },
        { "ProgramFilesMultiString", HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", REG_MULTI_SZ, BYTES("E:\\P\0F:\\Q\0\0"),
          Reader::ProgramFilesDir, "E:\\P" },
        // The recorded all-users choice: "B" means all users, whatever the value's type.
        { "AllUsersDword", HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", REG_DWORD, Dword(0x42), Reader::AllUsers, "B" },
        { "AllUsersNoNul", HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", REG_BINARY, "B", Reader::AllUsers, "B" },
        { "AllUsersTrailingText", HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", REG_SZ, BYTES("BB\0"), Reader::AllUsers,
          "" },
        { "AllUsersEmpty", HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", REG_SZ, "", Reader::AllUsers, "" },
        { "AllUsersLongerThanBuffer", HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers", REG_SZ, "B" + Repeat(' ', 400),
          Reader::AllUsers, "" },
        // The current user's Programs folder among the Shell Folders values.
        { "ProgramsDword", HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", REG_DWORD, Dword(0x005C3A44),
          Reader::ShellFolder, "D:\\" },
        { "ProgramsNoNul", HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", REG_BINARY, "D:\\Start\\Programs",
          Reader::ShellFolder, "D:\\Start\\Programs" },
        { "ProgramsEmpty", HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", REG_SZ, "", Reader::ShellFolder, "" },
        { "ProgramsLongerThanBuffer", HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", REG_SZ, long300 + '\0',
          Reader::ShellFolder, "" },
        { "Programs260BytesNoNul", HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", REG_BINARY, exact260,
          Reader::ShellFolder, exact260 },
    };
}

// The raw value (type and bytes), or "<none>".
static std::string RawValue(HKEY root, const char* key, const char* value)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return "<none>";
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
        m_programFiles = SaveValue(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir");
        m_programs = SaveValue(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs");
        Clean();
    }
    void TearDown() override
    {
        Clean();
        RestoreValue(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "ProgramFilesDir", m_programFiles);
        RestoreValue(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Programs", m_programs);
    }
    static void Clean()
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, LEGACY_SETTINGS_KEY);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\" MAKER_NAME);  // only when nothing else is in it
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, APP_PATH_KEY);
    }
    struct Saved { bool present; DWORD type; std::string bytes; };
    static Saved SaveValue(HKEY root, const char* key, const char* value)
    {
        Saved saved = { false, 0, "" };
        HKEY handle;
        if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return saved;
        char data[4096];
        DWORD size = sizeof data;
        saved.present = RegQueryValueExA(handle, value, nullptr, &saved.type, (BYTE*)data, &size) == ERROR_SUCCESS;
        if (saved.present) saved.bytes.assign(data, size);
        RegCloseKey(handle);
        return saved;
    }
    static void RestoreValue(HKEY root, const char* key, const char* value, const Saved& saved)
    {
        HKEY handle;
        if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
            return;
        if (saved.present)
            RegSetValueExA(handle, value, 0, saved.type, (const BYTE*)saved.bytes.data(), (DWORD)saved.bytes.size());
        else
            RegDeleteValueA(handle, value);
        RegCloseKey(handle);
    }
    Saved m_programFiles, m_programs;
};

TEST_P(BadRegistryValue, ReadAsTheDesignSays)
{
    const RegistryRow& row = GetParam();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(row.root, row.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, row.value, 0, row.type, (const BYTE*)row.bytes.data(), (DWORD)row.bytes.size()));
    RegCloseKey(key);
    std::string before = RawValue(row.root, row.key, row.value);

    CString result;
    switch (row.reader) {
    case Reader::InstalledDir: result = GetInstalledDir(); break;
    case Reader::ProgramFilesDir: result = GetProgramFilesDir(); break;
    case Reader::AllUsers:  // the installation driver tests the text for "B" exactly
        result = ReadRegString(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "AllUsers") == "B" ? "B" : "";
        break;
    case Reader::ShellFolder: result = GetShellFolder(FALSE, "Programs"); break;
    }
    EXPECT_EQ(row.expected, std::string((const char*)result)) << "length " << result.GetLength();
    EXPECT_EQ(before, RawValue(row.root, row.key, row.value)) << "the value was changed";
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, BadRegistryValue, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<RegistryRow>& info) { return info.param.name; });
