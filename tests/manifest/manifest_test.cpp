// The application manifest of the built setup.exe, read by Windows' own resource functions from
// the file as it ships (GlmUnInst.exe and the removal copy are copies of it), and the bundle's stub's.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "package.h"
#include "robot.h"

namespace {

std::string ReadManifest(const std::string& program)
{
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "<not loadable>";
    std::string text = "<no manifest>";
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (loaded) text.assign((const char*)LockResource(loaded), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

// Attributes are written with double quotes and single blanks, as in the resource file.
const char* const kRequired[] = {
    // Administrators are asked once and run elevated; a standard user runs as himself.
    "<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>",
    // Windows Vista, 7, 8, 8.1, and 10 and 11.
    "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",
    "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",
    "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",
    "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",
    "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
    "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
    "publicKeyToken=\"6595b64144ccf1df\"",
    // Laid out at each monitor's DPI (Windows 10 1703 and later), at the system's DPI before.
    "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\"><windowsSettings>",
    "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
    "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>",
};

// The process keeps the system's ANSI code page.
const char* const kAbsent[] = {"activeCodePage", "requireAdministrator", "asInvoker"};

// A setting of the manifest's windowsSettings as Windows reads it from the program's activation
// context: only an element in its own namespace is found.
std::string ReadWindowsSetting(const std::string& program, const wchar_t* nameSpace, const wchar_t* name)
{
    ACTCTXA request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE) return "<no activation context>";
    wchar_t value[64] = L"";
    SIZE_T written = 0;
    std::string text = "<not found>";
    if (QueryActCtxSettingsW(0, context, nameSpace, name, value, 64, &written)) text = Narrow(value);
    ReleaseActCtx(context);
    return text;
}

}  // namespace

TEST(Manifest, SetupExeDeclaresElevationSystemsDpiAwarenessAndCommonControls6)
{
    std::string manifest = ReadManifest(SetupExePath());
    ASSERT_EQ(0u, manifest.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"))
        << manifest;
    for (const char* element : kRequired) EXPECT_NE(std::string::npos, manifest.find(element)) << element;
    for (const char* word : kAbsent) EXPECT_EQ(std::string::npos, manifest.find(word)) << word;
}

TEST(Manifest, WindowsReadsTheDpiAwarenessInItsNamespaces)
{
    std::string program = SetupExePath();
    EXPECT_EQ("true", ReadWindowsSetting(program, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"));
    EXPECT_EQ("PerMonitorV2",
              ReadWindowsSetting(program, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"));
    // Each is found only under its own namespace.
    EXPECT_EQ("<not found>",
              ReadWindowsSetting(program, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAware"));
}

// The bundle's stub is elevated as the setup is, or it could not start the setup it unpacked.
TEST(Manifest, StubCarriesTheSetupsManifest)
{
    EXPECT_EQ(ReadManifest(SetupExePath()), ReadManifest(HostToWindowsPath(GLM_STUB_EXE)));
}
