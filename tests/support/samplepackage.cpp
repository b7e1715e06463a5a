#include "samplepackage.h"
#include "sandbox.h"

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
    MakeFolders(folder + "\\Help");
    WriteFileText(folder + "\\GlmUnInst.log", script);
    WriteFileText(folder + "\\Glmr5.exe", "application v5");
    WriteFileText(folder + "\\Glmr5Man.chm", "help");
    WriteFileText(folder + "\\Help\\a.htm", "a");
    WriteFileText(folder + "\\Help\\b.htm", "b");
    WriteFileText(folder + "\\readme.src", "readme");
    WriteFileText(folder + "\\GlmUnInst.exe", "uninstaller");
}
