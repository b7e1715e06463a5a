#include <gtest/gtest.h>
#include "enginesuite.h"
#include "engine/installlog.h"
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include <string.h>

// Every line piece the reader yields for a file of these bytes.
static std::vector<std::string> ReadPieces(const std::string& bytes)
{
    std::string folder = FreshFolder(ENGINE_ROOT "\\reader");
    std::string path = folder + "\\script.log";
    WriteFileBytes(path, bytes);
    std::vector<std::string> pieces;
    FILE* file = fopen(path.c_str(), "r");
    if (!file) return pieces;
    char line[LOG_LINE_SIZE];
    while (ReadLogLine(file, line)) pieces.push_back(line);
    fclose(file);
    RemoveTree(folder);
    return pieces;
}

TEST(LogReader, TrailingBlanksTabAndCrLfAreRemovedLeadingOnesKept)
{
    std::vector<std::string> pieces = ReadPieces("File Copy: a.txt  \t \r\n  File Copy: b.txt\r\nlast");
    ASSERT_EQ(3u, pieces.size()) << Joined(pieces);
    EXPECT_EQ("File Copy: a.txt", pieces[0]);
    EXPECT_EQ("  File Copy: b.txt", pieces[1]);
    EXPECT_EQ("last", pieces[2]);  // a last line without a line end is still a line
}

TEST(LogReader, ControlBytesAreTrimmedButNeverTheFirstByte)
{
    std::vector<std::string> pieces = ReadPieces("x\x01\x1f\r\n\t\r\n\r\n\xe9\xe1 \n");
    ASSERT_EQ(4u, pieces.size()) << Joined(pieces);
    EXPECT_EQ("x", pieces[0]);
    EXPECT_EQ("\t", pieces[1]);
    EXPECT_EQ("\n", pieces[2]);
    EXPECT_EQ("\xe9\xe1", pieces[3]);  // bytes of 0x80 and above are ordinary characters
}

TEST(LogReader, LineWithNulBytesEndsAtTheFirstNul)
{
    const char bytes[] = "\0\0 abc\r\nFile Del: a.txt\0zzz\r\nend\r\n";
    std::vector<std::string> pieces = ReadPieces(std::string(bytes, sizeof bytes - 1));
    ASSERT_EQ(3u, pieces.size()) << Joined(pieces);
    EXPECT_EQ("", pieces[0]);
    EXPECT_EQ("File Del: a.txt", pieces[1]);
    EXPECT_EQ("end", pieces[2]);
}

TEST(LogReader, LongLineIsReadAsPiecesOf511Bytes)
{
    std::string longLine = "File Copy: " + std::string(589, 'x');  // 600 characters
    std::vector<std::string> pieces = ReadPieces(longLine + "\r\nFile Copy: next.txt\r\n");
    ASSERT_EQ(3u, pieces.size()) << Joined(pieces);
    EXPECT_EQ(longLine.substr(0, 511), pieces[0]);
    EXPECT_EQ(longLine.substr(511), pieces[1]);
    EXPECT_EQ(89u, pieces[1].size());
    EXPECT_EQ("File Copy: next.txt", pieces[2]);
}

TEST(LogReader, RecordsMatchOnlyTheExactPrefix)
{
    char line[LOG_LINE_SIZE];
    strcpy(line, "File Copy: a.txt");
    ASSERT_NE(nullptr, MatchRecord(line, REC_FILE_COPY));
    EXPECT_STREQ("a.txt", MatchRecord(line, REC_FILE_COPY));
    strcpy(line, "file copy: a.txt");
    EXPECT_EQ(nullptr, MatchRecord(line, REC_FILE_COPY));
    strcpy(line, " File Copy: a.txt");
    EXPECT_EQ(nullptr, MatchRecord(line, REC_FILE_COPY));
    strcpy(line, "File Copy:a.txt");
    EXPECT_EQ(nullptr, MatchRecord(line, REC_FILE_COPY));
    // "Make Dir: " with nothing after it loses its blank when read, so it is no record.
    std::vector<std::string> pieces = ReadPieces("Make Dir: \r\n");
    ASSERT_EQ(1u, pieces.size());
    strcpy(line, pieces[0].c_str());
    EXPECT_EQ(nullptr, MatchRecord(line, REC_MAKE_DIR)) << "[" << line << "]";
}

TEST(LogReader, RenameFormAndRemark)
{
    char text[LOG_LINE_SIZE];
    strcpy(text, "readme.src \t> \t readme.txt");
    char* target = SplitRenameForm(text);
    ASSERT_NE(nullptr, target);
    EXPECT_STREQ("readme.src", text);
    EXPECT_STREQ("readme.txt", target);

    strcpy(text, "a > b > c");
    target = SplitRenameForm(text);
    ASSERT_NE(nullptr, target);
    EXPECT_STREQ("a", text);
    EXPECT_STREQ("b > c", target);

    strcpy(text, "plain.txt");
    EXPECT_EQ(nullptr, SplitRenameForm(text));
    EXPECT_STREQ("plain.txt", text);

    strcpy(text, "src >");
    target = SplitRenameForm(text);
    ASSERT_NE(nullptr, target);
    EXPECT_STREQ("", target);

    strcpy(text, "old.dll | no longer shipped | really");
    CutRemark(text);
    EXPECT_STREQ("old.dll", text);
    strcpy(text, "a|b.dll");
    CutRemark(text);
    EXPECT_STREQ("a|b.dll", text);
}

TEST(PathText, SafeRelativeNames)
{
    const char* safe[] = { "a.txt", "Help\\*.chm", "Help/Images", "x..y.txt", ".hidden", "a\\.\\b" };
    for (const char* name : safe) EXPECT_TRUE(IsSafeRelativeName(name)) << name;
    const char* unsafe[] = { "", "..", "..\\x.dll", "Help\\..\\..\\x", "a/../b", "Help\\..", "\\Windows\\x",
                             "/etc", "C:\\x", "C:x", "a\\...\\b", ". .\\x", "file.txt:stream" };
    for (const char* name : unsafe) EXPECT_FALSE(IsSafeRelativeName(name)) << name;
}

TEST(PathText, JoinStaysInsideTheBuffer)
{
    char out[12];
    memset(out, 'Z', sizeof out);
    EXPECT_TRUE(JoinPath(out, sizeof out, "C:\\a", "b.txt"));
    EXPECT_STREQ("C:\\a\\b.txt", out);
    EXPECT_TRUE(JoinPath(out, sizeof out, "C:\\a/", "b.txt"));
    EXPECT_STREQ("C:\\a/b.txt", out);
    EXPECT_TRUE(JoinPath(out, sizeof out, "", "b.txt"));
    EXPECT_STREQ("b.txt", out);
    EXPECT_TRUE(JoinPath(out, sizeof out, "C:\\abc", "d.tx"));  // 11 bytes and the NUL
    EXPECT_STREQ("C:\\abc\\d.tx", out);
    char guarded[16];
    memset(guarded, 'Z', sizeof guarded);
    EXPECT_FALSE(JoinPath(guarded, 12, "C:\\abc", "d.txt"));
    EXPECT_STREQ("", guarded);
    EXPECT_EQ('Z', guarded[12]);
    EXPECT_TRUE(HasLinkExtension("C:\\x\\Glimra 5.LNK"));
    EXPECT_FALSE(HasLinkExtension("C:\\x\\Glimra.lnk.exe"));
    EXPECT_FALSE(HasLinkExtension("lnk"));
    EXPECT_TRUE(EqualNoCaseAscii("C:\\Pkg\\", "c:\\pKG\\"));
    EXPECT_FALSE(EqualNoCaseAscii("C:\\Pkg", "C:\\Pkg\\"));
}

TEST(InstallLog, AppendWritesCrLfAndCreatesTheFile)
{
    std::string path = FreshFolder(ENGINE_ROOT "\\append") + "\\GlmUnInst.log";
    WriteFileBytes(path, "File Copy: *.txt");
    AppendLogLine(path.c_str(), "");
    AppendLogLine(path.c_str(), "Made Dir: C:\\x\\Glimra 5");
    EXPECT_EQ("File Copy: *.txt\r\nMade Dir: C:\\x\\Glimra 5\r\n", ReadFileBytes(path));

    std::string fresh = std::string(ENGINE_ROOT) + "\\append\\new.log";
    AppendLogLine(fresh.c_str(), "Shell Link: C:\\a.lnk");
    EXPECT_EQ("Shell Link: C:\\a.lnk\r\n", ReadFileBytes(fresh));

    // A file that cannot be opened: nothing is written, nothing happens.
    std::string missingFolder = std::string(ENGINE_ROOT) + "\\append\\nofolder\\x.log";
    AppendLogLine(missingFolder.c_str(), "text");
    EXPECT_FALSE(PathExists(missingFolder));
    RemoveTree(std::string(ENGINE_ROOT) + "\\append");
}
