// Path and string utilities, including the double-byte rule: a trail byte equal to a backslash
// or slash is part of its character, never a separator.
#include "support/Paths.h"
#include <gtest/gtest.h>

namespace {

// Shift-JIS (code page 932): 0x83 0x5C is one character whose trail byte is a backslash.
const std::string kSjisTrail5C = "\x83\x5C";
const UINT kShiftJis = 932;

struct ParentCase {
    const char* path;
    const char* parent;
};

TEST(ParentDirectory, Cases)
{
    const ParentCase cases[] = {
        {"C:\\Program Files\\Orvanta\\Lumetra 6\\", "C:\\Program Files\\Orvanta"},
        {"C:\\Program Files\\Orvanta", "C:\\Program Files"},
        {"C:\\a", "C:"},
        {"C:\\", ""},
        {"C:", ""},
        {"\\name", ""},
        {"name", ""},
        {"", ""},
        {"a\\b\\\\", "a\\b"},
    };
    for (const ParentCase& c : cases)
        EXPECT_EQ(parentDirectory(std::string(c.path)), c.parent) << "path: " << c.path;
}

TEST(ParentDirectory, AbsentPathGivesEmpty)
{
    EXPECT_EQ(parentDirectory(static_cast<const char*>(nullptr)), "");
}

TEST(ParentDirectory, DoubleByteTrailIsNoSeparator)
{
    // C:\dir\X where X's trail byte is 0x5C: the parent is C:\dir, not C:\dir\<lead byte>.
    std::string path = "C:\\dir\\" + kSjisTrail5C;
    EXPECT_EQ(parentDirectory(path, kShiftJis), "C:\\dir");
    // A path ending in such a character has no trailing backslash to drop.
    std::string inner = "C:\\" + kSjisTrail5C + "\\x";
    EXPECT_EQ(parentDirectory(inner, kShiftJis), "C:\\" + kSjisTrail5C);
}

TEST(LastBackslash, Cases)
{
    EXPECT_EQ(lastBackslash(""), -1);
    EXPECT_EQ(lastBackslash("abc"), -1);
    EXPECT_EQ(lastBackslash("\\"), 0);
    EXPECT_EQ(lastBackslash("a\\b\\c"), 3);
    EXPECT_EQ(lastBackslash("a/b"), -1);
    EXPECT_EQ(lastBackslash("ab" + kSjisTrail5C, kShiftJis), -1);
    EXPECT_EQ(lastBackslash("a\\" + kSjisTrail5C, kShiftJis), 1);
    // Under a single-byte code page every byte is a character of its own.
    EXPECT_EQ(lastBackslash("ab" + kSjisTrail5C, 1252), 3);
}

struct NormalizeCase {
    std::string input;
    std::string expected;
};

TEST(NormalizeSubPath, Cases)
{
    const NormalizeCase cases[] = {
        {"/Orvanta/Lumetra 6/ ", "Orvanta\\Lumetra 6"},
        {" \t\r\n/\\ /", ""},
        {" a b\\c ", "a b\\c"},
        {"Tools/Capture", "Tools\\Capture"},
        {"", ""},
        {"\\\\server\\share\\", "server\\share"},
    };
    for (const NormalizeCase& c : cases) {
        std::string s = c.input;
        normalizeSubPath(s);
        EXPECT_EQ(s, c.expected) << "input: [" << c.input << "]";
    }
}

TEST(NormalizeSubPath, DoubleByteTrailsAreKept)
{
    // A slash-like or backslash trail byte at the end is part of the last character: kept, and
    // not turned into a backslash.
    std::string s = "/grp/" + kSjisTrail5C + "\\";
    normalizeSubPath(s, kShiftJis);
    EXPECT_EQ(s, "grp\\" + kSjisTrail5C);
    std::string slashTrail = "a\x83/";
    normalizeSubPath(slashTrail, kShiftJis);
    EXPECT_EQ(slashTrail, "a\x83/");
}

TEST(Whitespace, TrimsTheSixBytes)
{
    EXPECT_EQ(trimLeft(" \t\n\v\f\rx y \t"), "x y \t");
    EXPECT_EQ(trimRight(" x y \t\n\v\f\r"), " x y");
    EXPECT_EQ(trimRight("x\x01"), "x\x01");
    EXPECT_EQ(trimLeft("\xA0x"), "\xA0x");
}

TEST(EqualsNoCase, AsciiOnlyWholeStrings)
{
    EXPECT_TRUE(equalsNoCase("-INSTALL", "-install"));
    EXPECT_FALSE(equalsNoCase("-install2", "-install"));
    EXPECT_FALSE(equalsNoCase("-instal", "-install"));
    EXPECT_FALSE(equalsNoCase("\xC4", "\xE4"));
}

TEST(JoinPath, OneSeparator)
{
    EXPECT_EQ(joinPath("C:\\a", "b"), "C:\\a\\b");
    EXPECT_EQ(joinPath("C:\\a\\", "b"), "C:\\a\\b");
    EXPECT_EQ(joinPath("C:/a/", "b"), "C:/a/b");
    EXPECT_EQ(joinPath("", "b"), "b");
}

} // namespace
