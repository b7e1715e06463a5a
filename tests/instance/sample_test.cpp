// The stand-in application's version resource and its answer to the host callback.
#include <gtest/gtest.h>
#include "glmr5_run.h"
#include <fstream>
#include <iomanip>
#include <sstream>

namespace {

std::string FileVersion(const std::string& path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (!size) return "none";
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", (void**)&info, &length) || !info)
        return "unreadable";
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
           "." + std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

// A program's preferred load address as the stand-in records a handle ("%p": upper-case hex, as
// wide as a pointer); Wine loads programs there.
std::string ImageBaseText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    IMAGE_DOS_HEADER dos = {};
    IMAGE_NT_HEADERS nt = {};
    file.read((char*)&dos, sizeof dos);
    file.seekg(dos.e_lfanew);
    file.read((char*)&nt, sizeof nt);
    if (!file || nt.Signature != IMAGE_NT_SIGNATURE) return "unreadable";
    std::ostringstream text;
    text << std::uppercase << std::hex << std::setfill('0') << std::setw(2 * sizeof(void*))
         << (ULONG_PTR)nt.OptionalHeader.ImageBase;
    return text.str();
}

TEST(StandIn, CarriesTheVersionsItWasBuiltWith)
{
    EXPECT_EQ(GLMR5_VERSION, FileVersion(Glmr5Path()));
    EXPECT_EQ("5.40.6.1", FileVersion(Glmr5Path("v5.40.6.1")));
    EXPECT_EQ("5.40.7.0", FileVersion(Glmr5Path("v5.40.7.0")));
    EXPECT_EQ("none", FileVersion(Glmr5Path("noversion")));
}

class Handshake : public ::testing::Test {
protected:
    void SetUp() override { m_dir = FreshScratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    void TearDown() override
    {
        SetEnvironmentVariableA("GLM5_CALLBACK_ANSWER", nullptr);
        RemoveScratchDir();
    }
    // Runs the stand-in with the probe library and returns its record.
    std::vector<std::string> LoadProbe(const std::string& name, const std::string& args = "")
    {
        std::string record = m_dir + "\\" + name + ".txt";
        std::string probe = CALLPROBE_PATH;
        Glmr5 app = StartGlmr5(record, "-nowindow -load \"" + probe + "\" " + args);
        EXPECT_TRUE(app.process) << name << " did not come up";
        EXPECT_TRUE(QuitGlmr5(app)) << name << " did not end";
        KillGlmr5(app);
        return ReadRecord(record);
    }
    std::string m_dir;
};

TEST_F(Handshake, AnswersTheLibraryWith2741UnlessToldOtherwise)
{
    std::vector<std::string> lines = LoadProbe("default");
    ASSERT_GE(lines.size(), 3u) << RecordText(lines);
    // "Glm5Callback <exe> <library>", then "load ok <library>".
    EXPECT_EQ(0u, lines[0].find("Glm5Callback " + ImageBaseText(Glmr5Path()) + " ")) << RecordText(lines);
    std::string library = lines[0].substr(lines[0].rfind(' ') + 1);
    EXPECT_EQ("load ok " + library, lines[1]) << RecordText(lines);

    lines = LoadProbe("answer", "-answer 2740");
    ASSERT_GE(lines.size(), 2u) << RecordText(lines);
    EXPECT_EQ(0u, lines[0].find("Glm5Callback ")) << RecordText(lines);
    EXPECT_EQ(0u, lines[1].find("load failed ")) << RecordText(lines);

    SetEnvironmentVariableA("GLM5_CALLBACK_ANSWER", "0");
    lines = LoadProbe("environment");
    ASSERT_GE(lines.size(), 2u) << RecordText(lines);
    EXPECT_EQ(0u, lines[1].find("load failed ")) << RecordText(lines);
    lines = LoadProbe("switchwins", "-answer 0xAB5");
    ASSERT_GE(lines.size(), 2u) << RecordText(lines);
    EXPECT_EQ(0u, lines[1].find("load ok ")) << RecordText(lines);
}

}  // namespace
