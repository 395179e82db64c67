// replaySourceList on a package that uses every line kind, read from CR LF and LF files.
#include "support/Scratch.h"
#include "app/SetupSettings.h"
#include "install/FilePlacement.h"
#include <gtest/gtest.h>

namespace {

// Every "\n" of the lines becomes the line end; a last line without "\n" keeps none.
std::string withLineEnds(const std::string& lines, const char* lineEnd)
{
    std::string text;
    for (char c : lines) {
        if (c == '\n')
            text += lineEnd;
        else
            text += c;
    }
    return text;
}

// A line of exactly n bytes: the text, padded with the filler.
std::string padded(const std::string& text, size_t n, char filler)
{
    return text + std::string(n - text.size(), filler);
}

class ReplaySourceList : public ::testing::TestWithParam<const char*> {
protected:
    ScratchDir scratch;
    std::string pkg = scratch / "pkg";
    std::string inst = scratch / "inst\\Lumetra 6";

    void SetUp() override
    {
        makeDirs(pkg + "\\samples\\hdr");
        makeDirs(inst);
        for (const char* name : {"LmtCap6.exe", "filters.dat", "LmtCap6x64.dll", "LmtCap6.ini", "old.dll",
                                 "lower.txt", "nospace.txt", "after.txt", "chunk.txt", "last.txt", "a.txt"})
            writeFile(pkg + "\\" + name, name);
        writeFile(pkg + "\\samples\\one.lmp", "1");
        writeFile(pkg + "\\samples\\two.lmp", "2");
        writeFile(pkg + "\\samples\\skip.txt", "s");
        writeFile(pkg + "\\samples\\hdr\\h.lmh", "h");
        writeFile(scratch / "escape.txt", "outside the package");
        setupSettings.sourceDir = pkg;
        setupSettings.installDir = inst;
    }

    void replay(const std::string& lines)
    {
        writeFile(pkg + "\\LmtUnInst.log", withLineEnds(lines, GetParam()));
        replaySourceList(pkg + "\\LmtUnInst.log");
    }
    bool installed(const std::string& name) const { return fileExists(inst + "\\" + name); }
};

TEST_P(ReplaySourceList, EveryLineKind)
{
    const std::string longLine = "File Copy: " + std::string(1989, 'x');
    const std::string chunked = padded("Remark: the next piece begins a line of its own", 511, '-') +
                                "File Copy: chunk.txt";
    replay("Make Dir: samples\n"
           "Make Dir: deep\\child\n"
           "Make Dir: deep\n"
           "Make Dir: samples\\hdr\n"
           "File Copy: LmtCap6.exe\n"
           "File Copy: samples\\*.lmp\n"
           "File Copy: samples\\hdr\\*.*\n"
           "File Copy: filters.dat  \t>   LmtFilters.dat\n"
           "File Copy x64: LmtCap6x64.dll\n"
           "File Overwrite: LmtCap6.ini | settings the application writes\n"
           "File Del: old.dll\n"
           "file copy: lower.txt\n"
           "File Copy:nospace.txt\n"
           "\n"
           "Unknown: a.txt\n" +
           longLine + "\n" + chunked + "\n" +
           "File Copy: after.txt   \t\n"
           "File Copy: last.txt");

    EXPECT_TRUE(installed("LmtCap6.exe"));
    EXPECT_TRUE(installed("samples\\one.lmp"));
    EXPECT_TRUE(installed("samples\\two.lmp"));
    EXPECT_FALSE(installed("samples\\skip.txt"));
    EXPECT_TRUE(installed("samples\\hdr\\h.lmh"));
    EXPECT_EQ(readFile(inst + "\\LmtFilters.dat"), "filters.dat") << "rename form with blanks around >";
    EXPECT_FALSE(installed("filters.dat"));
    EXPECT_TRUE(installed("LmtCap6x64.dll")) << "64-bit Windows installs the x64 lines";
    EXPECT_TRUE(dirExists(inst + "\\deep"));
    EXPECT_FALSE(dirExists(inst + "\\deep\\child")) << "a child listed before its parent is not made";
    for (const char* ignored : {"LmtCap6.ini", "old.dll", "lower.txt", "nospace.txt", "a.txt"})
        EXPECT_FALSE(installed(ignored)) << ignored;
    EXPECT_TRUE(installed("chunk.txt")) << "a line over 511 bytes is read as pieces";
    EXPECT_TRUE(installed("after.txt")) << "trailing blanks are stripped";
    EXPECT_TRUE(installed("last.txt")) << "a last line without a line break";
}

TEST_P(ReplaySourceList, TargetsOutsideTheInstallationDirectoryAreRefused)
{
    const std::string absolute = scratch / "abs.txt";
    replay("File Copy: ..\\escape.txt\n"
           "File Copy: a.txt > ..\\outside.txt\n"
           "File Copy: a.txt > sub/../../slash.txt\n"
           "File Copy: a.txt > .. \\dots.txt\n"
           "File Copy: a.txt > " + absolute + "\n" +
           "File Copy: a.txt > \\rooted.txt\n"
           "File Copy: a.txt > /rooted2.txt\n"
           "File Copy: a.txt > C:rel.txt\n"
           "File Copy: a.txt >\n"
           "Make Dir: ..\\made-outside\n"
           "Make Dir: \\made-rooted\n"
           "File Copy: a.txt > inside...txt\n");
    EXPECT_FALSE(fileExists(scratch / "inst\\escape.txt"));
    EXPECT_FALSE(fileExists(scratch / "inst\\outside.txt"));
    EXPECT_FALSE(fileExists(scratch / "inst\\slash.txt"));
    EXPECT_FALSE(fileExists(scratch / "inst\\dots.txt"));
    EXPECT_FALSE(fileExists(absolute));
    EXPECT_FALSE(dirExists(scratch / "inst\\made-outside"));
    EXPECT_TRUE(installed("inside...txt")) << "dots inside a name are no climb";
}

INSTANTIATE_TEST_SUITE_P(LineEnds, ReplaySourceList, ::testing::Values("\r\n", "\n"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] == '\r' ? "CRLF" : "LF");
                         });

TEST(ReplaySourceListFile, MissingListDoesNothing)
{
    ScratchDir inst;
    setupSettings.sourceDir = inst / "none";
    setupSettings.installDir = inst.path();
    replaySourceList(inst / "none\\LmtUnInst.log");
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((inst / "*").c_str(), &found);
    int entries = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do
            entries++;
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    EXPECT_EQ(entries, 2) << "only . and ..";
}

} // namespace
