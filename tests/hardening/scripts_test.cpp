// Bad install scripts and installation logs, one row each: the script is executed into an
// installation folder, then replayed as a log. Every row: no crash, heaps intact (the product code
// is built with stack checks here, so a write past a stack buffer ends the program), the row's files
// left in the installation folder, and nothing changed outside it but the targets of "Shell Link: "
// and "Made Dir: " records, which are absolute paths.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "engine/fileplace.h"
#include "engine/settings.h"
#include "engine/replay.h"

#define SCRIPT_ROOT HARD_ROOT "\\scripts"
#define OUTSIDE SCRIPT_ROOT "\\outside"
static const char* const kOutsideTree = "empty\\,victim.lnk,victim.txt";

struct ScriptRow {
    std::string name;
    std::string script;
    std::string installed;                   // the installation folder after the script ran
    std::string afterUndo;                   // ... after the replay of the same text as the log
    std::string outsideAfterUndo = kOutsideTree;
};

static void PrintTo(const ScriptRow& row, std::ostream* out) { *out << row.name; }

// A literal with NUL bytes inside, whole.
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

// Pseudo-random bytes, the same every run.
static std::string Garbage(size_t size)
{
    std::string bytes(size, '\0');
    unsigned int state = 12345;
    for (char& ch : bytes) {
        state = state * 1103515245u + 12345u;
        ch = (char)(state >> 16);
    }
    return bytes;
}

static std::string FiftyThousandLines()
{
    std::string text;
    for (int i = 1; i <= 50000; i++) {
        if (i == 25000) text += "File Copy: a.txt\r\n";
        else if (i == 50000) text += "File Copy: b.txt";  // the last line has no line end
        else text += "; line " + std::to_string(i) + " of a long script\r\n";
    }
    return text;
}

// 100 KB on one line; its second 511-byte piece begins with a record, which the reader takes as
// a line of its own.
static std::string HundredKilobyteLine()
{
    std::string piece = "File Copy: a.txt";
    std::string line = Repeat('x', 511) + piece + Repeat(' ', 511 - piece.size());
    line += Repeat('z', 100 * 1024 - line.size());
    return line + "\r\nFile Copy: b.txt\r\n";
}

static std::vector<ScriptRow> Rows()
{
    std::vector<ScriptRow> rows = {
        { "BinaryGarbage", Garbage(64 * 1024), "keep.txt", "keep.txt" },
        { "NulBytes", BYTES("File Copy: a.txt\0b.txt\r\n\0File Copy: b.txt\r\nFile Del: \0keep.txt\r\n") +
                          std::string(1000, '\0'),
          "a.txt,keep.txt", "keep.txt" },
        { "OnlyNulBytes", std::string(4096, '\0'), "keep.txt", "keep.txt" },
        { "FiftyThousandLines", FiftyThousandLines(), "a.txt,b.txt,keep.txt", "keep.txt" },
        { "HundredKilobyteLine", HundredKilobyteLine(), "a.txt,b.txt,keep.txt", "keep.txt" },
        // ">" and " | " in odd places.
        { "RenameWithoutSource", "File Copy: > a.txt\r\n", "keep.txt", "keep.txt" },
        { "RenameWithoutTarget", "File Copy: a.txt >\r\nFile Copy: a.txt >   \r\n", "keep.txt", "keep.txt" },
        { "RenameToAngleName", "File Copy: a.txt >> b.txt\r\nFile Copy: sub\\c.txt > >\r\n", "keep.txt", "keep.txt" },
        { "RenameIntoSubFolder", "Make Dir: sub\r\nFile Copy: a.txt > sub\\x.txt\r\n", "keep.txt,sub\\,sub\\x.txt",
          "keep.txt" },
        { "RemarkOnCopyLine", "File Copy: a.txt | b.txt\r\nFile Copy: b.txt\r\n", "b.txt,keep.txt", "keep.txt" },
        { "RemarkOnRenameTarget", "File Copy: a.txt > b.txt | note\r\n", "keep.txt", "keep.txt" },
        { "RemarkWithoutBlank", "File Copy: b.txt\r\nFile Del: keep.txt| x\r\n", "b.txt,keep.txt", "keep.txt" },
        { "RemarkOnly", "File Del:  | keep.txt\r\nFile Overwrite:  | *\r\n", "keep.txt", "keep.txt" },
        { "RemarkBeforeRename", "File Copy: a.txt\r\nFile Del: keep.txt | > a.txt\r\n", "a.txt,keep.txt", "" },
        // The sub-folder pattern finds no target sub-folder; the replay deletes every ".txt", the
        // user's file too, since the logged pattern matches it.
        { "WildcardPatterns", "File Copy: *.txt\r\nFile Copy: sub\\*\r\n", "a.txt,b.txt,keep.txt", "" },
        // ".." anywhere in a name stays inside nothing.
        { "ParentInCopy", "File Copy: ..\\outside\\victim.txt\r\nFile Copy: sub\\..\\a.txt\r\n", "keep.txt", "keep.txt" },
        { "ParentInRenameTarget", "File Copy: a.txt > ..\\outside\\a.txt\r\nFile Copy: a.txt > ..\r\n", "keep.txt",
          "keep.txt" },
        { "ParentInDelete", "File Del: ..\\outside\\victim.txt\r\nFile Del: ..\\outside\\*\r\nFile Overwrite: "
                            "sub\\..\\..\\outside\\*.txt\r\nFile Del: . .\\outside\\*\r\n",
          "keep.txt", "keep.txt" },
        { "ParentInMakeDir", "Make Dir: ..\\outside\\made\r\nMake Dir: ..\r\nMake Dir: sub/../../outside/made\r\n",
          "keep.txt", "keep.txt" },
        // Drive and rooted names.
        { "DriveInCopy", "File Copy: " OUTSIDE "\\victim.txt\r\nFile Copy: a.txt > " OUTSIDE "\\a.txt\r\n", "keep.txt",
          "keep.txt" },
        { "DriveInDelete", "File Del: " OUTSIDE "\\victim.txt\r\nFile Copy: C:victim.txt\r\nFile Overwrite: C:*\r\n",
          "keep.txt", "keep.txt" },
        { "RootedDelete", "File Del: \\glmtest\\hardening\\scripts\\outside\\victim.txt\r\nFile Del: "
                          "/glmtest/hardening/scripts/outside/*\r\n",
          "keep.txt", "keep.txt" },
        { "DriveInMakeDir", "Make Dir: " OUTSIDE "\\made\r\nMake Dir: \\glmtest\\hardening\\scripts\\outside\\made\r\n",
          "keep.txt", "keep.txt" },
        { "ShellLinkToAPlainFile", "Shell Link: " OUTSIDE "\\victim.txt\r\n", "keep.txt", "keep.txt" },
        { "ShellLinkRecorded", "Shell Link: " OUTSIDE "\\victim.lnk\r\n", "keep.txt", "keep.txt", "empty\\,victim.txt" },
        { "MadeDirClimbsWhileEmpty", "Made Dir: " OUTSIDE "\\empty\r\nMade Dir: C:\\\r\nMade Dir: \\\r\n", "keep.txt",
          "keep.txt", "victim.lnk,victim.txt" },
    };
    // Lines of exactly 510, 511 and 512 bytes before a record: the reader keeps in step.
    for (size_t length : { 510, 511, 512 }) {
        std::string line = "File Copy: " + Repeat('n', length - 11);
        rows.push_back({ "LineOf" + std::to_string(length), line + "\r\nFile Copy: a.txt\r\n", "a.txt,keep.txt", "keep.txt" });
    }
    // Every record kind with names of 259, 260 and 300 characters.
    struct Kind { const char* prefix; const char* label; bool absolute; };
    const Kind kinds[] = { { "File Copy: ", "FileCopy", false }, { "File Overwrite: ", "FileOverwrite", false },
                           { "File Del: ", "FileDel", false },   { "Make Dir: ", "MakeDir", false },
                           { "Made Dir: ", "MadeDir", true },    { "Shell Link: ", "ShellLink", true } };
    for (const Kind& kind : kinds) {
        for (size_t length : { 259, 260, 300 }) {
            std::string name = kind.absolute ? std::string(OUTSIDE "\\") : std::string();
            name += Repeat('n', length - name.size() - 4) + ".lnk";
            std::string script = std::string(kind.prefix) + name + "\r\n" + kind.prefix + "*" +
                                 Repeat('?', length - 1) + "\r\n";
            rows.push_back({ std::string(kind.label) + "NameOf" + std::to_string(length), script, "keep.txt", "keep.txt" });
        }
    }
    return rows;
}

class BadScript : public ::testing::TestWithParam<ScriptRow> {
protected:
    void SetUp() override
    {
        m_root = FreshFolder(HARD_ROOT "\\scripts");
        m_pkg = m_root + "\\pkg";
        m_inst = m_root + "\\inst";
        CreateDirectoryA(m_pkg.c_str(), nullptr);
        CreateDirectoryA((m_pkg + "\\sub").c_str(), nullptr);
        CreateDirectoryA(m_inst.c_str(), nullptr);
        CreateDirectoryA(OUTSIDE, nullptr);
        CreateDirectoryA(OUTSIDE "\\empty", nullptr);
        WriteFileBytes(m_pkg + "\\a.txt", "package a");
        WriteFileBytes(m_pkg + "\\b.txt", "package b");
        WriteFileBytes(m_pkg + "\\sub\\c.txt", "package c");
        WriteFileBytes(m_inst + "\\keep.txt", "user's file");
        WriteFileBytes(OUTSIDE "\\victim.txt", "outside");
        WriteFileBytes(OUTSIDE "\\victim.lnk", "outside link");
        g_strSourceDir = m_pkg.c_str();
        g_strInstallDir = m_inst.c_str();
    }
    void TearDown() override { RemoveTree(m_root); }
    std::string m_root, m_pkg, m_inst;
};

TEST_P(BadScript, QuietBoundedOutcome)
{
    const ScriptRow& row = GetParam();
    std::string script = m_pkg + "\\GlmUnInst.log";
    WriteFileBytes(script, row.script);

    RunInstallScript(script.c_str());
    EXPECT_EQ(row.installed, TreeText(m_inst)) << "installation folder after the script";
    EXPECT_EQ(kOutsideTree, TreeText(OUTSIDE)) << "outside the installation folder after the script";
    EXPECT_EQ("GlmUnInst.log,a.txt,b.txt,sub\\,sub\\c.txt", TreeText(m_pkg)) << "the package is only read";
    EXPECT_TRUE(HeapsIntact()) << "after the script";

    std::string log = m_root + "\\GlmUnInst.log";
    WriteFileBytes(log, row.script);
    UndoLinksAndMadeDirs(log.c_str());
    UndoFileRecords(log.c_str(), (m_inst + "\\").c_str(), nullptr);
    EXPECT_EQ(row.afterUndo, TreeText(m_inst)) << "installation folder after the replay";
    EXPECT_EQ(row.outsideAfterUndo, TreeText(OUTSIDE)) << "outside the installation folder after the replay";
    EXPECT_EQ(row.script, ReadFileBytes(log)) << "the replay never changes the log";
    EXPECT_TRUE(HeapsIntact()) << "after the replay";
}

INSTANTIATE_TEST_SUITE_P(Rows, BadScript, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<ScriptRow>& info) { return info.param.name; });
