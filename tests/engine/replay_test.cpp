#include <gtest/gtest.h>
#include "enginesuite.h"
#include "engine/names.h"
#include "engine/replay.h"

// An installation folder and a log beside it under ENGINE_ROOT\replay.
class Replay : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = FreshFolder(ENGINE_ROOT "\\replay");
        m_inst = m_root + "\\inst";
        m_log = m_root + "\\GlmUnInst.log";
        CreateDirectoryA(m_inst.c_str(), nullptr);
    }
    void TearDown() override { RemoveTree(m_root); }
    void Files(const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            if (name.back() == '\\') CreateDirectoryA((m_inst + "\\" + name).c_str(), nullptr);
            else WriteFileBytes(m_inst + "\\" + name, name);
        }
    }
    // Every file and folder under the installation folder, sorted, folders ending in "\".
    std::vector<std::string> Tree(const std::string& sub = "")
    {
        std::vector<std::string> all;
        std::string folder = sub.empty() ? m_inst : m_inst + "\\" + sub;
        for (const std::string& name : ListFolder(folder)) {
            std::string relative = sub.empty() ? name : sub + "\\" + name;
            if (FolderExists(folder + "\\" + name)) {
                all.push_back(relative + "\\");
                for (const std::string& inner : Tree(relative)) all.push_back(inner);
            } else {
                all.push_back(relative);
            }
        }
        return all;
    }
    std::string m_root, m_inst, m_log;
};

TEST_F(Replay, DeleteMatchingFilesInASubFolderLeavesFoldersAlone)
{
    Files({ "Help\\", "Help\\a.chm", "Help\\b.CHM", "Help\\c.txt", "Help\\sub.chm\\", "Help\\sub.chm\\in.chm", "top.chm" });
    EXPECT_EQ(2, DeleteMatchingFiles(m_inst.c_str(), "Help\\*.chm"));
    EXPECT_EQ("Help\\,Help\\c.txt,Help\\sub.chm\\,Help\\sub.chm\\in.chm,top.chm", Joined(Tree()));
}

// "File Del: Help/old.chm" names the file of the sub-folder, never a same-named one of the
// installation folder itself.
TEST_F(Replay, DeleteMatchingFilesTakesTheSlashAsASeparator)
{
    Files({ "Help\\", "Help\\old.chm", "old.chm" });
    EXPECT_EQ(1, DeleteMatchingFiles(m_inst.c_str(), "Help/old.chm"));
    EXPECT_EQ("Help\\,old.chm", Joined(Tree()));
}

TEST_F(Replay, DeleteMatchingFilesTakesReadOnlyAndHiddenFiles)
{
    Files({ "Glmr5.exe", "hidden.dll", "keep.txt" });
    SetFileAttributesA((m_inst + "\\Glmr5.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((m_inst + "\\hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, DeleteMatchingFiles((m_inst + "\\").c_str(), "Glmr5.exe"));
    EXPECT_EQ(1, DeleteMatchingFiles((m_inst + "/").c_str(), "*.dll"));
    EXPECT_EQ(0, DeleteMatchingFiles(m_inst.c_str(), "*.none"));
    EXPECT_EQ("keep.txt", Joined(Tree()));
}

TEST_F(Replay, OverlongPatternsAreSkipped)
{
    Files({ "keep.txt" });
    EXPECT_EQ(0, DeleteMatchingFiles(m_inst.c_str(), ("*" + std::string(300, '?')).c_str()));
    EXPECT_EQ(0, DeleteMatchingFiles((m_inst + "\\" + std::string(300, 'd')).c_str(), "*"));
    WriteFileBytes(m_log, "File Del: " + std::string(250, '?') + "\r\n");
    UndoFileRecords(m_log.c_str(), m_inst.c_str(), nullptr);
    EXPECT_EQ("keep.txt", Joined(Tree()));
}

TEST_F(Replay, MissingLogChangesNothing)
{
    Files({ "Glmr5.exe", "Help\\" });
    UndoLinksAndMadeDirs(m_log.c_str());
    UndoFileRecords(m_log.c_str(), m_inst.c_str(), nullptr);
    UndoFileRecords(m_log.c_str(), m_inst.c_str(), REC_FILE_DEL);
    EXPECT_EQ("Glmr5.exe,Help\\", Joined(Tree()));
}

static const char* const kFileLog =
    "File Copy: Glmr5.exe\r\n"
    "File Copy: readme.src  >  readme.txt\r\n"
    "File Overwrite: over.dll | keeps the old copy\r\n"
    "File Del: old.dll | no longer shipped\r\n"
    "File Copy: a.dll | note\r\n"
    "File Copy: Help\\*.chm\r\n"
    "file copy: lower.txt\r\n"
    " File Copy: lead.txt\r\n"
    "Shell Link: link.txt\r\n"
    "Make Dir: Help\r\n"
    "Make Dir: Help\\Images\r\n"
    "Make Dir: Full\r\n"
    "Make Dir: Missing\r\n"
    "\r\n";

TEST_F(Replay, FileRecordsAndMakeDirsAreUndone)
{
    Files({ "Glmr5.exe", "readme.src", "readme.txt", "over.dll", "old.dll", "a.dll", "Help\\", "Help\\a.chm",
            "Help\\Images\\", "Full\\", "Full\\keep.txt", "lower.txt", "lead.txt", "link.txt" });
    SetFileAttributesA((m_inst + "\\Glmr5.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileBytes(m_log, kFileLog);
    UndoFileRecords(m_log.c_str(), m_inst.c_str(), nullptr);
    // Help was tried before its sub-folder Images went, so it stays.
    EXPECT_EQ("Full\\,Full\\keep.txt,Help\\,lead.txt,link.txt,lower.txt,readme.src", Joined(Tree()));
    EXPECT_EQ(kFileLog, ReadFileBytes(m_log));  // the log itself is not changed
}

TEST_F(Replay, OnePrefixModeStillRemovesEmptyMadeFolders)
{
    Files({ "Glmr5.exe", "readme.txt", "over.dll", "old.dll", "Help\\", "Help\\a.chm", "Help\\Images\\" });
    WriteFileBytes(m_log, kFileLog);
    std::string inst = m_inst + "\\";  // a trailing backslash gives a doubled separator, read as one
    UndoFileRecords(m_log.c_str(), inst.c_str(), REC_FILE_DEL);
    EXPECT_EQ("Glmr5.exe,Help\\,Help\\a.chm,over.dll,readme.txt", Joined(Tree()));
}

// Names that would reach outside the folder are passed over.
TEST_F(Replay, FileRecordsStayInsideTheFolder)
{
    WriteFileBytes(m_root + "\\outside.txt", "outside");
    CreateDirectoryA((m_root + "\\emptyout").c_str(), nullptr);
    CreateDirectoryA((m_root + "\\inst2").c_str(), nullptr);
    Files({ "inside.txt" });
    WriteFileBytes(m_log,
                   "File Del: ..\\outside.txt\r\n"
                   "File Copy: x.txt > ..\\outside.txt\r\n"
                   "File Overwrite: ..\\*.txt | all of them\r\n"
                   "File Copy: Sub\\..\\..\\outside.txt\r\n"
                   "File Del: C:\\glmtest\\engine\\replay\\outside.txt\r\n"
                   "File Del: \\glmtest\\engine\\replay\\outside.txt\r\n"
                   "Make Dir: ..\\emptyout\r\n"
                   "Make Dir: ..\\inst2\r\n"
                   "Make Dir: C:\\glmtest\\engine\\replay\\emptyout\r\n"
                   "File Del: inside.txt\r\n");
    UndoFileRecords(m_log.c_str(), m_inst.c_str(), nullptr);
    EXPECT_EQ("outside", ReadFileBytes(m_root + "\\outside.txt"));
    EXPECT_TRUE(FolderExists(m_root + "\\emptyout"));
    EXPECT_TRUE(FolderExists(m_root + "\\inst2"));
    EXPECT_TRUE(Tree().empty()) << Joined(Tree());
}

TEST_F(Replay, LinksGoFirstThenMadeFoldersClimbToTheFirstNonEmptyOne)
{
    std::string menu = m_root + "\\menu";
    std::string group = menu + "\\Tools\\Glimra 5";
    CreateDirectoryA(menu.c_str(), nullptr);
    CreateDirectoryA((menu + "\\Tools").c_str(), nullptr);
    CreateDirectoryA(group.c_str(), nullptr);
    WriteFileBytes(menu + "\\keep.txt", "other program");
    WriteFileBytes(group + "\\Glimra 5.lnk", "link");
    WriteFileBytes(group + "\\Súgó.LNK", "link");
    std::string desktop = m_root + "\\Glimra 5.lnk";
    WriteFileBytes(desktop, "link");
    WriteFileBytes(m_root + "\\victim.txt", "not a link");
    WriteFileBytes(m_log,
                   "File Copy: *.txt\r\n"
                   "\r\n"
                   "Made Dir: " + group + "\r\n"
                   "Shell Link: " + group + "\\Glimra 5.lnk\r\n"
                   "Shell Link: " + group + "\\Súgó.LNK\r\n"
                   "Shell Link: " + desktop + "\r\n"
                   "Shell Link: " + m_root + "\\victim.txt\r\n"
                   "shell link: " + m_root + "\\victim.txt\r\n");
    UndoLinksAndMadeDirs(m_log.c_str());
    EXPECT_FALSE(PathExists(desktop));
    EXPECT_FALSE(PathExists(menu + "\\Tools"));
    EXPECT_EQ("keep.txt", Joined(ListFolder(menu)));
    EXPECT_EQ("not a link", ReadFileBytes(m_root + "\\victim.txt"));
}

TEST_F(Replay, MadeDirWithAnotherEntryStays)
{
    std::string group = m_root + "\\menu\\Glimra 5";
    CreateDirectoryA((m_root + "\\menu").c_str(), nullptr);
    CreateDirectoryA(group.c_str(), nullptr);
    WriteFileBytes(group + "\\user.lnk", "added by the user");
    WriteFileBytes(m_log, "Made Dir: " + group + "\\\r\n");
    UndoLinksAndMadeDirs(m_log.c_str());
    EXPECT_EQ("user.lnk", Joined(ListFolder(group)));

    // With a trailing backslash the group and its empty parent go.
    DeleteFileA((group + "\\user.lnk").c_str());
    UndoLinksAndMadeDirs(m_log.c_str());
    EXPECT_FALSE(PathExists(m_root + "\\menu"));
    EXPECT_TRUE(FolderExists(m_root));  // holds the log
}
