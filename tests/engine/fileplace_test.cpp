#include <gtest/gtest.h>
#include "enginesuite.h"
#include "engine/fileplace.h"
#include "engine/settings.h"
#include "engine/runrecord.h"
#include <algorithm>

// A package folder and an installation folder under ENGINE_ROOT\place; the shared folder settings
// point at them and are put back afterwards.
class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedSource = g_strSourceDir;
        m_savedInstall = g_strInstallDir;
        RemoveOwnPendingRenames();
        m_root = FreshFolder(ENGINE_ROOT "\\place");
        m_pkg = m_root + "\\pkg";
        m_inst = m_root + "\\inst";
        CreateDirectoryA(m_pkg.c_str(), nullptr);
        CreateDirectoryA(m_inst.c_str(), nullptr);
        g_strSourceDir = m_pkg.c_str();
        g_strInstallDir = m_inst.c_str();
    }
    void TearDown() override
    {
        StopHolder(m_holder);
        g_strSourceDir = m_savedSource;
        g_strInstallDir = m_savedInstall;
        RemoveOwnPendingRenames();
        RemoveTree(m_root);
    }
    BOOL Copy(const char* name, const std::string& from, const std::string& to, const char* newName = nullptr)
    {
        return CopyInstallFile(name, from.c_str(), to.c_str(), newName);
    }
    CString m_savedSource, m_savedInstall;
    std::string m_root, m_pkg, m_inst;
    ChildProcess m_holder;
};

TEST_F(Placement, SameFolderWithoutNewNameTouchesNothing)
{
    WriteFileBytes(m_pkg + "\\a.txt", "package");
    EXPECT_TRUE(Copy("a.txt", m_pkg, m_pkg));
    EXPECT_TRUE(Copy("missing.txt", m_pkg, m_pkg));
    // Compared as text without regard to ASCII case, with or without the trailing separator.
    std::string upper = m_pkg;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_TRUE(Copy("missing.txt", m_pkg, upper + "\\"));
    // No other normalisation: "pkg/" and "pkg" are different folders, so the missing source counts.
    EXPECT_FALSE(Copy("missing.txt", m_pkg + "/", m_pkg));
    EXPECT_EQ("a.txt", Joined(ListFolder(m_pkg)));
    EXPECT_EQ("package", ReadFileBytes(m_pkg + "\\a.txt"));
}

TEST_F(Placement, MissingSourceLeavesTheTarget)
{
    WriteFileBytes(m_inst + "\\a.txt", "installed");
    EXPECT_FALSE(Copy("a.txt", m_pkg, m_inst));
    EXPECT_EQ("installed", ReadFileBytes(m_inst + "\\a.txt"));
}

TEST_F(Placement, AbsentTargetIsCopiedAndMissingTargetFolderFails)
{
    WriteFileBytes(m_pkg + "\\a.txt", "package");
    EXPECT_TRUE(Copy("a.txt", m_pkg, m_inst));
    EXPECT_EQ("package", ReadFileBytes(m_inst + "\\a.txt"));
    EXPECT_TRUE(Copy("a.txt", m_pkg, m_inst, "b.txt"));
    EXPECT_EQ("package", ReadFileBytes(m_inst + "\\b.txt"));
    EXPECT_FALSE(Copy("a.txt", m_pkg, m_inst + "\\nofolder"));
}

TEST_F(Placement, ReadOnlyAndHiddenTargetsAreReplaced)
{
    WriteFileBytes(m_pkg + "\\readme.txt", "new readme");
    WriteFileBytes(m_pkg + "\\hidden.dat", "new data");
    WriteFileBytes(m_pkg + "\\plain.dat", "new plain");
    WriteFileBytes(m_inst + "\\readme.txt", "old readme");
    WriteFileBytes(m_inst + "\\hidden.dat", "old data");
    WriteFileBytes(m_inst + "\\plain.dat", "old plain");
    SetFileAttributesA((m_inst + "\\readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((m_inst + "\\hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Copy("readme.txt", m_pkg, m_inst));
    EXPECT_TRUE(Copy("hidden.dat", m_pkg, m_inst));
    EXPECT_TRUE(Copy("plain.dat", m_pkg, m_inst));
    EXPECT_EQ("new readme", ReadFileBytes(m_inst + "\\readme.txt"));
    EXPECT_EQ("new data", ReadFileBytes(m_inst + "\\hidden.dat"));
    EXPECT_EQ("new plain", ReadFileBytes(m_inst + "\\plain.dat"));
    // The new files carry the package copies' attributes.
    EXPECT_EQ(0u, Attributes(m_inst + "\\readme.txt") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(0u, Attributes(m_inst + "\\hidden.dat") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ("hidden.dat,plain.dat,readme.txt", Joined(ListFolder(m_inst)));
    std::vector<std::string> pending = PendingRenameSources();
    EXPECT_TRUE(std::none_of(pending.begin(), pending.end(),
                             [&](const std::string& s) { return s.find(m_inst) == 0; }))
        << Joined(pending);
}

// An existing target is replaced by renaming a whole copy onto it, so a run killed in between
// leaves the earlier file, never none. The copy of a run killed before its rename is taken up by
// the next run's copy, and nothing of the staging is left beside the target.
TEST_F(Placement, ReplacedTargetLeavesNothingBesideIt)
{
    struct Row {
        const char* name;
        const char* leftover;  // a staged copy of a killed run, or null
    } rows[] = {
        { "GlmUnInst.exe", nullptr },
        { "Glimra5.log", "cut off" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string target = m_inst + "\\" + row.name, staged = target + ".glmnew";
        WriteFileBytes(m_pkg + "\\" + row.name, "new");
        WriteFileBytes(target, "earlier");
        if (row.leftover) WriteFileBytes(staged, row.leftover);
        EXPECT_TRUE(Copy(row.name, m_pkg, m_inst));
        EXPECT_EQ("new", ReadFileBytes(target));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(staged));
    }
    EXPECT_EQ("Glimra5.log,GlmUnInst.exe", Joined(ListFolder(m_inst)));
}

TEST_F(Placement, TargetInUseIsRenamedToOldAndScheduled)
{
    WriteFileBytes(m_pkg + "\\Glmr5.exe", "new program");
    std::string target = m_inst + "\\Glmr5.exe", old = target + ".old";
    WriteFileBytes(old, "older leftover");
    m_holder = StartHolder(target);
    ASSERT_NE(nullptr, m_holder.process);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_FALSE(DeleteFileA(target.c_str())) << "the running program's file should not be deletable";
    std::string running = ReadFileBytes(TestProgramDir() + "\\engine_holder.exe");

    EXPECT_TRUE(Copy("Glmr5.exe", m_pkg, m_inst));
    EXPECT_EQ("new program", ReadFileBytes(target));
    EXPECT_TRUE(ReadFileBytes(old) == running) << "the .old file should be the running program";
    EXPECT_EQ(0u, Attributes(old) & FILE_ATTRIBUTE_READONLY);
    std::vector<std::string> pending = PendingRenameSources();
    EXPECT_EQ(1, std::count(pending.begin(), pending.end(), old)) << Joined(pending);
    EXPECT_EQ("Glmr5.exe,Glmr5.exe.old", Joined(ListFolder(m_inst)));
}

TEST_F(Placement, RenameInsideOneFolder)
{
    WriteFileBytes(m_pkg + "\\readme.src", "source");
    EXPECT_TRUE(Copy("readme.src", m_pkg, m_pkg, "readme.txt"));  // target absent
    EXPECT_EQ("source", ReadFileBytes(m_pkg + "\\readme.txt"));

    WriteFileBytes(m_pkg + "\\readme.src", "source 2");
    EXPECT_TRUE(Copy("readme.src", m_pkg, m_pkg, "readme.txt"));  // target deletable
    EXPECT_EQ("source 2", ReadFileBytes(m_pkg + "\\readme.txt"));

    // A read-only target is not deletable here: nothing happens, and that counts as in place.
    SetFileAttributesA((m_pkg + "\\readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileBytes(m_pkg + "\\readme.src", "source 3");
    EXPECT_TRUE(Copy("readme.src", m_pkg, m_pkg, "readme.txt"));
    EXPECT_EQ("source 2", ReadFileBytes(m_pkg + "\\readme.txt"));
    EXPECT_NE(0u, Attributes(m_pkg + "\\readme.txt") & FILE_ATTRIBUTE_READONLY);

    // A target in use likewise stays, and is not renamed.
    m_holder = StartHolder(m_pkg + "\\run.exe");
    ASSERT_NE(nullptr, m_holder.process);
    EXPECT_TRUE(Copy("readme.src", m_pkg, m_pkg, "run.exe"));
    EXPECT_FALSE(PathExists(m_pkg + "\\run.exe.old"));
    EXPECT_NE("source 3", ReadFileBytes(m_pkg + "\\run.exe"));
}

// Source and target that are one file spelled differently: the file is in place and stays; it is
// neither deleted nor moved aside (which would lose the source).
TEST_F(Placement, OneFileUnderTwoSpellingsIsLeftInPlace)
{
    std::string pkg = m_root + "\\Package Folder";
    CreateDirectoryA(pkg.c_str(), nullptr);
    WriteFileBytes(pkg + "\\a.txt", "package");
    char shortPkg[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameA(pkg.c_str(), shortPkg, MAX_PATH));
    ASSERT_NE(pkg, std::string(shortPkg)) << "no 8.3 spelling to test with";
    struct Row {
        std::string targetDir;
        const char* newName;
    } rows[] = {
        { shortPkg, nullptr },          // an 8.3 spelling of the package folder
        { pkg + "\\.", nullptr },       // "." in the path
        { pkg, "A.TXT" },               // "a.txt > A.TXT" in one folder
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.targetDir + " " + (row.newName ? row.newName : ""));
        EXPECT_TRUE(Copy("a.txt", pkg, row.targetDir, row.newName));
        EXPECT_EQ("package", ReadFileBytes(pkg + "\\a.txt"));
        EXPECT_EQ("a.txt", Joined(ListFolder(pkg)));
    }
}

// A folder where the file would go is the user's: it is neither renamed aside nor queued for
// deletion, and the file is not placed.
TEST_F(Placement, FolderInTheTargetsPlaceIsLeftAlone)
{
    WriteFileBytes(m_pkg + "\\data", "package");
    CreateDirectoryA((m_inst + "\\data").c_str(), nullptr);
    WriteFileBytes(m_inst + "\\data\\mine.txt", "mine");
    EXPECT_FALSE(Copy("data", m_pkg, m_inst));
    EXPECT_EQ("data", Joined(ListFolder(m_inst)));
    EXPECT_EQ("mine", ReadFileBytes(m_inst + "\\data\\mine.txt"));
    for (const std::string& source : PendingRenameSources())
        EXPECT_EQ(std::string::npos, source.find("place\\inst")) << source << " is queued for deletion";
}

// A UNC target's "\\server\share" is not made as folders of the current folder.
TEST_F(Placement, UncTargetMakesNoFoldersInTheCurrentFolder)
{
    WriteFileBytes(m_pkg + "\\a.txt", "a");
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(m_root.c_str()));
    CopyMatchingFiles("a.txt", m_pkg.c_str(), "\\\\glmnoserver\\share\\Glimra 5");
    SetCurrentDirectoryA(saved);
    EXPECT_EQ("inst,pkg", Joined(ListFolder(m_root)));
}

TEST_F(Placement, FolderInThePackageIsNeverPlaced)
{
    CreateDirectoryA((m_pkg + "\\Help").c_str(), nullptr);
    CreateDirectoryA((m_inst + "\\Help").c_str(), nullptr);
    WriteFileBytes(m_inst + "\\Help\\a.chm", "installed help");
    EXPECT_FALSE(Copy("Help", m_pkg, m_inst));
    EXPECT_EQ(0, CopyMatchingFiles("Help", m_pkg.c_str(), m_inst.c_str()));
    EXPECT_EQ("Help", Joined(ListFolder(m_inst)));
    EXPECT_EQ("installed help", ReadFileBytes(m_inst + "\\Help\\a.chm"));
}

TEST_F(Placement, MatchingFilesCreateTheTargetFolderChain)
{
    WriteFileBytes(m_pkg + "\\a.txt", "a");
    WriteFileBytes(m_pkg + "\\b.txt", "b");
    WriteFileBytes(m_pkg + "\\c.bin", "c");
    EXPECT_EQ(0, CopyMatchingFiles("*.none", m_pkg.c_str(), (m_root + "\\unused\\x").c_str()));
    EXPECT_FALSE(PathExists(m_root + "\\unused"));  // nothing matched, nothing created

    std::string deep = m_root + "/deep/a/Glimra 5\\";
    EXPECT_EQ(2, CopyMatchingFiles("*.txt", m_pkg.c_str(), deep.c_str()));
    EXPECT_EQ("a.txt,b.txt", Joined(ListFolder(m_root + "\\deep\\a\\Glimra 5")));
    EXPECT_EQ("b", ReadFileBytes(m_root + "\\deep\\a\\Glimra 5\\b.txt"));
}

TEST_F(Placement, SubFolderPatternUsesTheSameSubFolderOfTheTarget)
{
    CreateDirectoryA((m_pkg + "\\Help").c_str(), nullptr);
    WriteFileBytes(m_pkg + "\\Help\\a.chm", "a");
    WriteFileBytes(m_pkg + "\\Help\\b.CHM", "b");
    WriteFileBytes(m_pkg + "\\Help\\c.txt", "c");
    WriteFileBytes(m_pkg + "\\root.chm", "root");
    // Windows takes "/" as a separator too: both spellings name the sub-folder.
    for (const char* pattern : { "Help\\*.chm", "Help/*.chm" }) {
        SCOPED_TRACE(pattern);
        RemoveTree(m_inst);
        CreateDirectoryA(m_inst.c_str(), nullptr);
        // The target sub-folder is not made here.
        EXPECT_EQ(0, CopyMatchingFiles(pattern, m_pkg.c_str(), m_inst.c_str()));
        EXPECT_FALSE(PathExists(m_inst + "\\Help"));
        CreateDirectoryA((m_inst + "\\Help").c_str(), nullptr);
        EXPECT_EQ(2, CopyMatchingFiles(pattern, m_pkg.c_str(), m_inst.c_str()));
        EXPECT_EQ("Help", Joined(ListFolder(m_inst)));
        EXPECT_EQ("a.chm,b.CHM", Joined(ListFolder(m_inst + "\\Help")));
    }
}

TEST_F(Placement, PatternStopsAtTheFirstFailingEntry)
{
    for (const char* name : { "a.dat", "b.dat", "c.dat" }) WriteFileBytes(m_pkg + "\\" + name, name);
    std::vector<std::string> order = SearchOrder(m_pkg, "*.dat");
    ASSERT_EQ(3u, order.size());
    // A source held open without sharing cannot be copied.
    HANDLE lock = CreateFileA((m_pkg + "\\" + order[1]).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(1, CopyMatchingFiles("*.dat", m_pkg.c_str(), m_inst.c_str()));
    CloseHandle(lock);
    EXPECT_EQ(order[0], Joined(ListFolder(m_inst))) << "search order " << Joined(order);

    RemoveTree(m_inst);
    lock = CreateFileA((m_pkg + "\\" + order[0]).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(0, CopyMatchingFiles("*.dat", m_pkg.c_str(), m_inst.c_str()));
    CloseHandle(lock);
    EXPECT_TRUE(ListFolder(m_inst).empty()) << Joined(ListFolder(m_inst));
}

TEST_F(Placement, SameFolderPatternCopiesNothingButCountsEveryMatch)
{
    WriteFileBytes(m_pkg + "\\a.txt", "a");
    WriteFileBytes(m_pkg + "\\b.txt", "b");
    EXPECT_EQ(2, CopyMatchingFiles("*.txt", m_pkg.c_str(), (m_pkg + "\\").c_str()));
    EXPECT_EQ("a.txt,b.txt", Joined(ListFolder(m_pkg)));
}

TEST_F(Placement, CountFolderEntries)
{
    EXPECT_EQ(0, CountFolderEntries("*", m_inst.c_str()));
    EXPECT_EQ(0, CountFolderEntries("*", (m_root + "\\missing").c_str()));
    WriteFileBytes(m_inst + "\\a.txt", "a");
    WriteFileBytes(m_inst + "\\b.bin", "b");
    CreateDirectoryA((m_inst + "\\sub").c_str(), nullptr);
    EXPECT_EQ(3, CountFolderEntries("*", m_inst.c_str()));
    EXPECT_EQ(1, CountFolderEntries("*.txt", m_inst.c_str()));
    // A search text longer than 519 bytes is not searched.
    EXPECT_EQ(0, CountFolderEntries(("*" + std::string(600, '?')).c_str(), m_inst.c_str()));
    EXPECT_EQ(0, CountFolderEntries("*", (m_inst + "\\" + std::string(517, 'x')).c_str()));
}

TEST_F(Placement, InstallScriptOnAFreshFolder)
{
    g_strInstallDir = (m_root + "\\Program Files\\Glimra 5").c_str();
    std::string inst = g_strInstallDir.GetString();
    CreateDirectoryA((m_pkg + "\\Help").c_str(), nullptr);
    for (const char* name : { "one.txt", "two.txt", "Help\\x.chm", "readme.src", "other.bin", "a.dll",
                              "ow.bin", "del.bin", "src2.src" })
        WriteFileBytes(m_pkg + "\\" + name, name);
    WriteFileBytes(m_pkg + "\\GlmUnInst.log",
                   "Make Dir: Early\r\n"
                   "File Copy: *.txt\r\n"
                   "Make Dir: Help\r\n"
                   "File Copy: Help\\*.chm\r\n"
                   "File Copy: readme.src  >\t readme.txt \r\n"
                   "file copy: other.bin\r\n"
                   " File Copy: other.bin\r\n"
                   "File Copy: a.dll | note\r\n"
                   "File Overwrite: ow.bin\r\n"
                   "File Del: del.bin\r\n"
                   "Make Dir: \r\n"
                   "File Copy: src2.src >\r\n"
                   "Make Dir: Help\\Images");
    RunInstallScript((m_pkg + "\\GlmUnInst.log").c_str());
    EXPECT_EQ("Help,one.txt,readme.txt,two.txt", Joined(ListFolder(inst)));
    EXPECT_EQ("Images,x.chm", Joined(ListFolder(inst + "\\Help")));
    EXPECT_EQ("readme.src", ReadFileBytes(inst + "\\readme.txt"));
}

TEST_F(Placement, MissingScriptDoesNothing)
{
    WriteFileBytes(m_pkg + "\\a.txt", "a");
    RunInstallScript((m_pkg + "\\GlmUnInst.log").c_str());
    EXPECT_TRUE(ListFolder(m_inst).empty());
}

// Names that would reach outside the installation folder are passed over.
TEST_F(Placement, InstallScriptStaysInsideTheInstallationFolder)
{
    WriteFileBytes(m_root + "\\escape.txt", "outside");
    WriteFileBytes(m_pkg + "\\one.txt", "one");
    WriteFileBytes(m_pkg + "\\ok.txt", "ok");
    WriteFileBytes(m_pkg + "\\GlmUnInst.log",
                   "File Copy: ..\\escape.txt\r\n"
                   "File Copy: ..\\pkg\\one.txt\r\n"
                   "File Copy: one.txt > ..\\out.txt\r\n"
                   "File Copy: ..\\escape.txt > stolen.txt\r\n"
                   "File Copy: /glmtest/engine/place/escape.txt > rooted.txt\r\n"
                   "File Copy: C:\\glmtest\\engine\\place\\escape.txt > drive.txt\r\n"
                   "Make Dir: ..\\made\r\n"
                   "Make Dir: \\glmtest\\engine\\place\\rooted\r\n"
                   "Make Dir: C:made\r\n"
                   "File Copy: ok.txt\r\n");
    RunInstallScript((m_pkg + "\\GlmUnInst.log").c_str());
    EXPECT_EQ("escape.txt,inst,pkg", Joined(ListFolder(m_root)));
    EXPECT_EQ("outside", ReadFileBytes(m_root + "\\escape.txt"));
    EXPECT_EQ("ok.txt", Joined(ListFolder(m_inst)));
    EXPECT_FALSE(PathExists("C:\\glmtest\\engine\\place\\rooted"));
}

// A file that cannot be placed because a path is too long is a failure of the run, not a success.
TEST_F(Placement, OverlongPathsAreSkippedAndCountedAsFailures)
{
    WriteFileBytes(m_pkg + "\\a.txt", "a");
    std::string longName = std::string(300, 'n') + ".txt";
    int failures = CountRunFailures();
    EXPECT_FALSE(Copy(longName.c_str(), m_pkg, m_inst));
    EXPECT_FALSE(Copy("a.txt", m_pkg, m_inst, longName.c_str()));
    EXPECT_EQ(0, CopyMatchingFiles(longName.c_str(), m_pkg.c_str(), m_inst.c_str()));
    EXPECT_FALSE(Copy("a.txt", m_pkg, m_inst + "\\" + std::string(300, 'd')));
    EXPECT_TRUE(ListFolder(m_inst).empty()) << Joined(ListFolder(m_inst));
    EXPECT_EQ(failures + 3, CountRunFailures()) << GetFailedList().GetString();
}
