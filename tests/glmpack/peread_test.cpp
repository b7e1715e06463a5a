// glmpack reads version and string resources from the file's bytes; the setup asks the system.
// For each file of the table both must give the same answer.
#include <gtest/gtest.h>
#include "sandbox.h"
#include "package.h"
#include "pefile.h"
#include "core/detect.h"
#include "engine/settings.h"
#include "resource.h"
#include <algorithm>

namespace {

std::string FormatVersion(unsigned major, unsigned minor, unsigned release, unsigned build)
{
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(release) + "." + std::to_string(build);
}

// The offset of the fixed version part's signature in a program's bytes; npos when absent.
size_t FindVersionSignature(const std::string& bytes)
{
    return bytes.find(std::string("\xBD\x04\xEF\xFE", 4));
}

struct VersionCase {
    const char* name;
    std::string (*make)(const std::string& folder);   // writes the file, returns its path
    const char* expected;                              // "0.0.0.0" for none
};

std::string CopyOf(const std::string& source, const std::string& folder, const char* name)
{
    std::string path = folder + "\\" + name;
    CopyFileA(source.c_str(), path.c_str(), FALSE);
    return path;
}

std::string WriteChanged(const std::string& source, const std::string& folder, const char* name,
                         void (*change)(std::string& bytes))
{
    std::string bytes = ReadFileBytes(source);
    change(bytes);
    std::string path = folder + "\\" + name;
    WriteFileBytes(path, bytes);
    return path;
}

const VersionCase kVersionCases[] = {
    { "StandIn", [](const std::string& f) { return CopyOf(StandInExePath(), f, "a.exe"); }, "5.40.6.0" },
    { "StandInWithoutVersion", [](const std::string& f) { return CopyOf(HostToWindowsPath(GLM_NOVERSION_EXE), f, "b.exe"); }, "0.0.0.0" },
    { "CutInsideTheVersion", [](const std::string& f) {
          return WriteChanged(StandInExePath(), f, "f.exe", [](std::string& b) {
              size_t at = FindVersionSignature(b);
              if (at != std::string::npos) b.resize(at + 8);
          });
      }, "0.0.0.0" },
};

class VersionReadTest : public ::testing::TestWithParam<VersionCase> {
protected:
    Sandbox m_box{"glmpackpe"};
};

TEST_P(VersionReadTest, TheFileBytesGiveTheVersionTheSystemGives)
{
    const VersionCase& row = GetParam();
    std::string path = row.make(m_box.Root());
    ReadFileVersion(path.c_str());
    std::string bySystem = FormatVersion(g_FileVersion.major, g_FileVersion.minor, g_FileVersion.release, g_FileVersion.build);
    PeVersion version;
    std::string byBytes = ReadPeFileVersion(ReadFileBytes(path), version)
                              ? FormatVersion(version.major, version.minor, version.release, version.build)
                              : "0.0.0.0";
    EXPECT_EQ(bySystem, byBytes) << path;
    EXPECT_EQ(row.expected, byBytes);
}

INSTANTIATE_TEST_SUITE_P(Files, VersionReadTest, ::testing::ValuesIn(kVersionCases),
                         [](const ::testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

TEST(StringReadTest, TheShortcutNamesAreTheStringsTheSetupLoads)
{
    std::string path = SetupExePath();
    std::string bytes = ReadFileBytes(path);
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << path;
    for (unsigned id : { IDS_PRODUCT_NAME, IDS_HELP_SHORTCUT, IDS_README_SHORTCUT, IDS_UNINSTALL_SHORTCUT, IDS_DAMAGED_PACKAGE }) {
        wchar_t loaded[512] = {};
        int length = LoadStringW(module, id, loaded, 512);
        std::u16string read;
        ASSERT_TRUE(ReadPeString(bytes, id, read)) << id;
        EXPECT_GT(length, 0) << id;
        EXPECT_TRUE(read == std::u16string((const char16_t*)loaded, length)) << "string " << id;
    }
    std::u16string none;
    EXPECT_FALSE(ReadPeString(bytes, 9999, none));
    FreeLibrary(module);
}

}  // namespace
