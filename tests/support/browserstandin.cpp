#include "browserstandin.h"
#include "package.h"
#include "wizardrobot.h"
#include <gtest/gtest.h>

static const char kHttpCommandKey[] = "http\\shell\\open\\command";
static const DWORD kRecorderEndMs = 8000;

BrowserStandIn::BrowserStandIn(Sandbox& box, const std::string& recorderExe)
    : m_box(box), m_source(HostToWindowsPath(recorderExe)), m_recorder(box.Path("browser\\urlrecorder.exe"))
{
    Install();
    m_savedCommand = RegString(HKEY_CLASSES_ROOT, kHttpCommandKey, nullptr);
    RegSetString(HKEY_CLASSES_ROOT, kHttpCommandKey, nullptr, "\"" + m_recorder + "\" \"%1\"");
}

BrowserStandIn::~BrowserStandIn()
{
    // A browser start may still be under way after the setup has ended; the next case's clean-up
    // could not replace the recorder while it runs.
    EXPECT_TRUE(WaitUntil([&] { return ProcessOfProgram(m_recorder) == 0; }, kRecorderEndMs)) << m_recorder << " still runs";
    if (m_savedCommand == "<missing>") RegDeleteTree(HKEY_CLASSES_ROOT, "http\\shell\\open");
    else RegSetString(HKEY_CLASSES_ROOT, kHttpCommandKey, nullptr, m_savedCommand);
}

void BrowserStandIn::Install()
{
    MakeFolders(m_box.Path("browser"));
    EXPECT_TRUE(CopyFileA(m_source.c_str(), m_recorder.c_str(), FALSE)) << m_source;
}

std::vector<std::string> BrowserStandIn::Opened(size_t expected, DWORD waitMs) const
{
    std::string opened = m_box.Path("browser\\opened.txt");
    std::vector<std::string> lines;
    WaitUntil([&] {
        lines = ReadLines(opened);
        return lines.size() >= expected;
    }, waitMs);
    return lines;
}
