// The rules for a folder chosen in the folder browser, on real folders.
#include <gtest/gtest.h>
#include "sandbox.h"
#include "wizard/folderchoice.h"
#include <vector>

TEST(FolderChoiceTest, RulesOnRealFolders)
{
    Sandbox box{"folderchoice"};
    struct Case {
        const char* folder;
        std::vector<const char*> files;   // created inside; a trailing backslash makes a folder
        bool taken;
        const char* result;               // relative to the folder; null: unchanged
    } cases[] = {
        { "empty", {}, true, "" },
        { "v5", { "Glmr5.exe", "readme.txt" }, true, "" },
        { "v4", { "Glmr.exe" }, false, nullptr },
        { "v4and5", { "Glmr.exe", "Glmr5.exe" }, false, nullptr },
        { "other", { "notes.txt" }, true, "\\Glimra 5" },
        { "subfolder", { "Sub\\" }, true, "\\Glimra 5" },
        { "missing", {}, true, "" },
    };
    for (const Case& c : cases) {
        std::string folder = box.Path(c.folder);
        if (std::string(c.folder) != "missing") MakeFolders(folder);
        for (const char* name : c.files) {
            std::string path = folder + "\\" + name;
            if (path.back() == '\\') MakeFolders(path.substr(0, path.size() - 1));
            else WriteFileBytes(path, "x");
        }
        CString installDir = "C:\\previous";
        BOOL taken = ChooseInstallFolder(folder.c_str(), installDir);
        EXPECT_EQ(c.taken, taken != FALSE) << c.folder;
        std::string expected = c.result ? folder + c.result : "C:\\previous";
        EXPECT_EQ(expected, std::string(installDir)) << c.folder;
    }
}

// A drive root chosen in the browser comes as "C:\\"; its sub-folder has one separator.
TEST(FolderChoiceTest, DriveRootGetsTheProductFolder)
{
    CString installDir;
    ASSERT_TRUE(ChooseInstallFolder("C:\\", installDir));
    EXPECT_STREQ("C:\\Glimra 5", installDir);
}
