// Command lines the program may be started with, split as the runtime splits them (program name
// first): every switch decision of the start-up and of the installation driver, with "-instdir"
// last, empty arguments, very long arguments and a removal run whose uninstaller path holds blanks.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "core/installtext.h"
#include "core/switches.h"

struct CommandRow {
    std::string name;
    std::vector<std::string> arguments;  // after the program name
    std::string decisions;               // the switch decisions, see Decisions()
    std::string installDir;
};

static void PrintTo(const CommandRow& row, std::ostream* out) { *out << row.name; }

static int FolderExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

#define CMD_FOLDER HARD_ROOT "\\cmd\\A B"

static std::vector<CommandRow> Rows()
{
    std::string huge = "-" + Repeat('s', 100000);
    std::string longFolder = "C:\\" + Repeat('f', 400);
    return {
        { "InstdirLast", { "-install", "-runafter", "-instdir" }, "install runafter", "" },
        { "InstdirTwiceLastMissing", { "-instdir", CMD_FOLDER, "-instdir", "C:\\glmtest\\no such folder" }, "", "" },
        { "InstdirWithBlanksAndSlash", { "-instdir", CMD_FOLDER "\\" }, "", CMD_FOLDER },
        { "InstdirEmptyArgument", { "-instdir", "", "-allusers" }, "allusers", "" },
        { "EmptyArguments", { "", "", "-s", "" }, "silent closequietly", "" },
        { "OnlyEmptyArgument", { "" }, "", "" },
        { "VeryLongArguments", { huge, "-instdir", longFolder, huge }, "", "" },
        { "VeryLongFirstArgument", { huge, "-s", "/S" }, "silent closequietly", "" },
        { "DelselfPathWithBlanks", { "-delself", CMD_FOLDER "\\GlmUnInst.exe", "-s" }, "silent removal closequietly", "" },
        { "DelselfAlone", { "-delself" }, "", "" },
        { "DelselfEmptyPath", { "-delself", "" }, "removal", "" },
        { "DelselfInCapitals", { "-DELSELF", "C:\\x.exe" }, "", "" },
        { "SwitchesInAnyCase", { "-INSTALL", "-RunAfter", "-AllUsers", "-AUTOSTART", "-NoDeskIco", "/s" },
          "install closequietly runafter allusers autostart nodeskico", "" },
    };
}

TEST(BadCommandLine, TableOfRows)
{
    FreshFolder(HARD_ROOT "\\cmd");
    CreateDirectoryA(CMD_FOLDER, nullptr);
    for (const CommandRow& row : Rows()) {
        std::vector<const char*> argv = { "C:\\pkg\\setup.exe" };
        for (const std::string& argument : row.arguments) argv.push_back(argument.c_str());
        int argc = (int)argv.size();
        argv.push_back(nullptr);

        InstallSwitches switches;
        memset(&switches, 0, sizeof switches);
        ScanInstallSwitches(argc - 1, argv.data() + 1, FolderExists, &switches);
        std::string decisions;
        auto add = [&](bool on, const char* word) {
            if (on) decisions += (decisions.empty() ? "" : " ") + std::string(word);
        };
        add(HasInstallSwitch(argc, argv.data()), "install");
        add(HasSilentSwitch(argc, argv.data()), "silent");
        add(IsRemovalRun(argc, argv.data()), "removal");
        add(HasCloseWithoutAskingSwitch(argc, argv.data()), "closequietly");
        add(switches.runAfter, "runafter");
        add(switches.allUsers, "allusers");
        add(switches.autoStart, "autostart");
        add(switches.noDesktopIcon, "nodeskico");
        EXPECT_EQ(row.decisions, decisions) << row.name;
        EXPECT_EQ(row.installDir, std::string(switches.installDir)) << row.name;
        if (IsRemovalRun(argc, argv.data())) EXPECT_EQ(row.arguments[1], argv[2]) << row.name << ": the uninstaller path";
        EXPECT_TRUE(HeapsIntact()) << row.name;
    }
    RemoveTree(HARD_ROOT "\\cmd");
}
