// Damaged version resources in the executable whose version is read. Every row: no crash, heaps
// intact, and the version 0.0.0.0 whenever no whole fixed part can be read.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "core/detect.h"
#include "engine/settings.h"

struct VersionRow {
    std::string name;
    std::string resource;  // the bytes of the version resource; empty: none at all
    std::string expected;
};

static void PrintTo(const VersionRow& row, std::ostream* out) { *out << row.name; }

static void PutWord(std::string& bytes, size_t at, unsigned value)
{
    bytes[at] = (char)(value & 0xFF);
    bytes[at + 1] = (char)((value >> 8) & 0xFF);
}

static void PutDword(std::string& bytes, size_t at, unsigned value)
{
    PutWord(bytes, at, value & 0xFFFF);
    PutWord(bytes, at + 2, value >> 16);
}

// The root block: header, key "VS_VERSION_INFO", padding to 40, then the fixed part of 52 bytes
// with file version 5.40.6.0 and product version 9.8.7.6.
static std::string WholeResource()
{
    std::string bytes(92, '\0');
    PutWord(bytes, 0, 92);
    PutWord(bytes, 2, 52);
    PutWord(bytes, 4, 0);
    const char key[] = "VS_VERSION_INFO";
    for (size_t i = 0; i < sizeof key; i++) PutWord(bytes, 6 + 2 * i, (unsigned char)key[i]);
    PutDword(bytes, 40, 0xFEEF04BD);
    PutDword(bytes, 44, 0x00010000);
    PutDword(bytes, 48, (5u << 16) | 40u);
    PutDword(bytes, 52, (6u << 16) | 0u);
    PutDword(bytes, 56, (9u << 16) | 8u);
    PutDword(bytes, 60, (7u << 16) | 6u);
    return bytes;
}

static std::vector<VersionRow> Rows()
{
    std::string whole = WholeResource();
    std::string noFixed = whole.substr(0, 40);
    PutWord(noFixed, 0, 40);
    PutWord(noFixed, 2, 0);
    std::string claimsFixed = whole.substr(0, 40);  // says 52 bytes follow, but none do
    PutWord(claimsFixed, 0, 92);
    // Claims the whole block, ends inside the fixed part: after the file version, or before it.
    std::string cutAfterVersion = whole.substr(0, 60);
    std::string cutBeforeVersion = whole.substr(0, 46);
    std::string shortFixed = whole;
    PutWord(shortFixed, 2, 20);
    std::string noSignature = whole;
    PutDword(noSignature, 40, 0);
    std::string claimsMore = whole;
    PutWord(claimsMore, 0, 0xFFFF);
    return {
        { "Whole", whole, "5.40.6.0" },
        { "NoVersionResource", "", "0.0.0.0" },
        { "NoFixedPart", noFixed, "0.0.0.0" },
        { "FixedPartClaimedButMissing", claimsFixed, "0.0.0.0" },
        { "CutAfterFileVersion", cutAfterVersion, "5.40.6.0" },
        { "CutBeforeFileVersion", cutBeforeVersion, "0.0.0.0" },
        { "FixedPartTooShort", shortFixed, "0.0.0.0" },
        { "FixedPartWithoutSignature", noSignature, "0.0.0.0" },
        { "TwoBytes", whole.substr(0, 2), "0.0.0.0" },
        { "LengthClaimsMore", claimsMore, "5.40.6.0" },
    };
}

static std::string ProgramDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, n);
    return text.substr(0, text.find_last_of('\\'));
}

static std::string VersionText()
{
    return std::to_string(g_FileVersion.major) + "." + std::to_string(g_FileVersion.minor) + "." +
           std::to_string(g_FileVersion.release) + "." + std::to_string(g_FileVersion.build);
}

class BadVersionResource : public ::testing::TestWithParam<VersionRow> {
protected:
    void SetUp() override { m_folder = FreshFolder(HARD_ROOT "\\version"); }
    void TearDown() override { RemoveTree(m_folder); }
    std::string m_folder;
};

TEST_P(BadVersionResource, ReadsWholeFixedPartOrNothing)
{
    const VersionRow& row = GetParam();
    std::string exe = m_folder + "\\Glmr5.exe";
    ASSERT_TRUE(CopyFileA((ProgramDir() + "\\hardening_tiny.exe").c_str(), exe.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(exe.c_str(), TRUE);
    ASSERT_NE(nullptr, update);
    if (!row.resource.empty())
        ASSERT_TRUE(UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                    (void*)row.resource.data(), (DWORD)row.resource.size()));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    std::string before = ReadFileBytes(exe);

    DWORD handle = 0;
    DWORD reported = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    g_FileVersion = { 7, 7, 7, 7 };
    ReadFileVersion(exe.c_str());
    EXPECT_EQ(row.expected, VersionText()) << "size the system reports: " << reported;
    EXPECT_EQ(before, ReadFileBytes(exe)) << "the executable was changed";
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, BadVersionResource, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<VersionRow>& info) { return info.param.name; });
