#include "samplepackage.h"
#include "sandbox.h"
#include "engine/settings.h"

const char kSamplePackageScript[] =
    "; Glimra 5 sample package\r\n"
    "File Copy: Glmr5.exe\r\n"
    "File Copy: Glmr5Man.chm\r\n"
    "Make Dir: Help\r\n"
    "File Copy: Help\\*.htm\r\n"
    "File Copy: readme.src > readme.txt\r\n"
    "File Copy: GlmUnInst.exe\r\n"
    "File Del: old.dll | no longer shipped";

void MakeSamplePackage(const std::string& folder, const std::string& script)
{
    // Each file of the package with its bytes.
    static const char* const files[][2] = {
        { "Glmr5.exe", "application v5" },
        { "Glmr5Man.chm", "help" },
        { "Help\\a.htm", "a" },
        { "Help\\b.htm", "b" },
        { "readme.src", "readme" },
        { "GlmUnInst.exe", "uninstaller" },
    };
    MakeFolders(folder + "\\Help");
    WriteFileBytes(folder + "\\GlmUnInst.log", script);
    for (const auto& file : files) WriteFileBytes(folder + "\\" + file[0], file[1]);
}

void SetNewInstallSettings(const std::string& pkg, const std::string& inst, bool allUsers)
{
    g_strSourceDir = pkg.c_str();
    g_strInstallDir = inst.c_str();
    g_strProgramGroup = "Glimra 5";
    g_bNewInstall = TRUE;
    g_bAllUsers = allUsers;
    g_bDesktopIcon = TRUE;
    g_bAutoStart = TRUE;
}
