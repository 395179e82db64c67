// The install log: appended lines, and the one line reader (512-byte pieces, trailing bytes up to
// 32 stripped but never the first byte, exact prefixes).
#include "install/InstallLog.h"
#include "tests/support/Scratch.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::string> readAll(const std::string& path, size_t bufferSize = kLogLineBufferSize)
{
    std::vector<std::string> lines;
    LogLineReader reader(path, bufferSize);
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

TEST(AppendLogLine, WritesCrLfLinesAndCreatesTheFile)
{
    ScratchDir dir;
    std::string log = dir / "LmtUnInst.log";
    appendLogLine(log, "Made Dir: C:\\x");
    appendLogLine(log, "");
    appendLogLine(log, "Shell Link: C:\\x\\a.lnk");
    EXPECT_EQ(readFile(log), "Made Dir: C:\\x\r\n\r\nShell Link: C:\\x\\a.lnk\r\n");
}

TEST(AppendLogLine, UnopenableFileIsDroppedSilently)
{
    ScratchDir dir;
    appendLogLine(dir / "missing\\LmtUnInst.log", "File Copy: a");
    EXPECT_FALSE(fileExists(dir / "missing\\LmtUnInst.log"));
}

TEST(AppendLogLine, AppendedLineAfterAnUnterminatedLastLineGetsItsOwnLine)
{
    ScratchDir dir;
    std::string log = dir / "LmtUnInst.log";
    writeFile(log, "File Copy: a.exe");
    appendLogLine(log, "");
    appendLogLine(log, "Made Dir: C:\\g");
    // The empty line ends the unterminated one: no blank line stands between them.
    EXPECT_EQ(readAll(log), (std::vector<std::string>{"File Copy: a.exe", "Made Dir: C:\\g"}));
}

TEST(LogLineReader, StripsTrailingControlBytesButNeverTheFirstByte)
{
    ScratchDir dir;
    std::string log = dir / "log";
    writeFile(log, "File Copy: a.exe \t \r\n"          // spaces, tab, CR LF
                   "File Copy: b.exe\x01\x1f\x20\n"     // other control bytes
                   "File Copy: caf\xe9\xa0\n"           // bytes from 0x80 are text
                   "\n"                                 // an empty line keeps its line feed
                   " \t\n"                              // the first byte always stays
                   "   File Copy: c\n");               // leading blanks stay
    EXPECT_EQ(readAll(log), (std::vector<std::string>{"File Copy: a.exe", "File Copy: b.exe",
                                                      "File Copy: caf\xe9\xa0", "\n", " ", "   File Copy: c"}));
}

TEST(LogLineReader, LongLinesArriveAsPiecesOf511Bytes)
{
    ScratchDir dir;
    std::string log = dir / "log";
    std::string longLine = "File Copy: " + std::string(1989, 'x'); // 2,000 characters
    writeFile(log, longLine + "\r\nMake Dir: d\r\n");
    std::vector<std::string> lines = readAll(log);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], longLine.substr(0, 511));
    EXPECT_EQ(lines[1], longLine.substr(511, 511));
    EXPECT_EQ(lines[2], longLine.substr(1022, 511));
    EXPECT_EQ(lines[3], longLine.substr(1533));
    EXPECT_EQ(lines[4], "Make Dir: d");
}

TEST(LogLineReader, SmallerBufferForShortLineFiles)
{
    ScratchDir dir;
    std::string log = dir / "HomePage.url";
    writeFile(log, std::string(300, 'u') + "\n");
    std::vector<std::string> lines = readAll(log, 260);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 259u);
}

TEST(LogLineReader, ZeroByteEndsTheLineText)
{
    ScratchDir dir;
    std::string log = dir / "log";
    writeFile(log, std::string("File Del: a\0b.dll\nFile Del: c\n", 30));
    EXPECT_EQ(readAll(log), (std::vector<std::string>{"File Del: a", "File Del: c"}));
}

TEST(LogLineReader, MissingFileReadsAsEmpty)
{
    ScratchDir dir;
    LogLineReader reader(dir / "none.log");
    std::string line;
    EXPECT_FALSE(reader.isOpen());
    EXPECT_FALSE(reader.next(line));
}

TEST(LogLineReader, RewindReadsAgain)
{
    ScratchDir dir;
    std::string log = dir / "log";
    writeFile(log, "a\nb\n");
    LogLineReader reader(log);
    std::string line;
    while (reader.next(line)) {
    }
    reader.rewind();
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "a");
}

TEST(HasPrefix, ExactAtTheFirstByte)
{
    EXPECT_TRUE(hasPrefix("Shell Link: C:\\a.lnk", logprefix::kShellLink));
    EXPECT_FALSE(hasPrefix("shell link: C:\\a.lnk", logprefix::kShellLink));
    EXPECT_FALSE(hasPrefix("Shell Link:C:\\a.lnk", logprefix::kShellLink));
    EXPECT_FALSE(hasPrefix(" Shell Link: C:\\a.lnk", logprefix::kShellLink));
    // The x64 prefix differs from the plain one at its tenth character.
    EXPECT_FALSE(hasPrefix("File Copy x64: a.dll", logprefix::kFileCopy));
    EXPECT_TRUE(hasPrefix("File Copy x64: a.dll", logprefix::kFileCopyX64));
    // "File Copy: " with nothing after it loses its space when read and matches nothing.
    std::string emptyEntry = "File Copy: ";
    stripLogLineEnd(emptyEntry);
    EXPECT_FALSE(hasPrefix(emptyEntry, logprefix::kFileCopy));
}

} // namespace
