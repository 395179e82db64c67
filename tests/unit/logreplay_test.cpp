// The removal primitives against real files and scratch registry keys: the two log replayers,
// deleting by pattern, and deleting registry trees.
#include "support/Scratch.h"
#include "uninstall/LogReplay.h"
#include <gtest/gtest.h>

namespace {

class ReplayFileLines : public ::testing::Test {
protected:
    ScratchDir scratch;
    std::string base = scratch / "inst";
    std::string log = scratch / "LmtUnInst.log";

    void SetUp() override { makeDirs(base); }
    std::string at(const std::string& name) const { return base + "\\" + name; }
    void file(const std::string& name) { writeFile(at(name), name); }
    bool has(const std::string& name) const { return fileExists(at(name)); }
};

TEST_F(ReplayFileLines, PatternDeletesReadOnlyAndHiddenFilesButNoSubfolders)
{
    for (const char* name : {"a.dll", "b.dll", "c.dll", "keep.txt"})
        file(name);
    SetFileAttributesA(at("b.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(at("c.dll").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    makeDirs(at("folder.dll"));
    makeDirs(at("sub"));
    file("folder.dll\\inner.dll");
    file("sub\\x.dll");
    writeFile(log, "File Copy: *.dll\r\n");
    replayFileLines(log, base);
    EXPECT_FALSE(has("a.dll"));
    EXPECT_FALSE(has("b.dll"));
    EXPECT_FALSE(has("c.dll"));
    EXPECT_TRUE(has("keep.txt"));
    EXPECT_TRUE(dirExists(at("folder.dll")));
    EXPECT_TRUE(has("folder.dll\\inner.dll"));
    EXPECT_TRUE(has("sub\\x.dll"));
}

TEST_F(ReplayFileLines, SubfolderPatternDeletesInThatSubfolder)
{
    makeDirs(at("help"));
    file("help\\a.htm");
    file("help\\b.htm");
    file("help\\c.css");
    file("a.htm");
    writeFile(log, "File Copy: help\\*.htm\r\n");
    replayFileLines(log, base + "\\"); // the uninstall passes the directory with a backslash
    EXPECT_FALSE(has("help\\a.htm"));
    EXPECT_FALSE(has("help\\b.htm"));
    EXPECT_TRUE(has("help\\c.css"));
    EXPECT_TRUE(has("a.htm"));
}

TEST_F(ReplayFileLines, NamesAsEachLineKindGivesThem)
{
    for (const char* name : {"src.txt", "dest.txt", "a.txt", "c.txt", "  spaced.txt", "spaced.txt", "x64.dll",
                             "over.ini", "del.dll", "chunk.txt", "plain.txt", "wrongcase.txt", "nospace.txt"})
        file(name);
    const std::string chunked =
        "Remark: " + std::string(503, '-') + "File Del: chunk.txt"; // the piece after byte 511
    writeFile(log, "File Copy: src.txt  >   dest.txt | remark\r\n"
                   "File Del: a.txt | see src.txt > c.txt\r\n"
                   "File Copy:   spaced.txt\r\n"
                   "File Copy x64: x64.dll\r\n"
                   "File Overwrite: over.ini | the application writes it\r\n"
                   "File Del: del.dll\r\n"
                   "File Copy: \r\n"
                   "file copy: wrongcase.txt\r\n"
                   "File Copy:nospace.txt\r\n"
                   "File Del: | no name\r\n" +
                       chunked + "\r\n");
    replayFileLines(log, base);
    EXPECT_TRUE(has("src.txt")) << "the rename form deletes the destination, not the source";
    EXPECT_FALSE(has("dest.txt"));
    EXPECT_FALSE(has("a.txt")) << "the remark is cut before the split at >";
    EXPECT_TRUE(has("c.txt"));
    EXPECT_FALSE(has("  spaced.txt")) << "a plain name keeps its leading spaces";
    EXPECT_TRUE(has("spaced.txt"));
    EXPECT_FALSE(has("x64.dll"));
    EXPECT_FALSE(has("over.ini"));
    EXPECT_FALSE(has("del.dll"));
    EXPECT_FALSE(has("chunk.txt")) << "each 511-byte piece is a line of its own";
    EXPECT_TRUE(has("plain.txt"));
    EXPECT_TRUE(has("wrongcase.txt"));
    EXPECT_TRUE(has("nospace.txt"));
}

TEST_F(ReplayFileLines, SinglePrefixLeavesTheOtherKindsButStillRemovesDirectories)
{
    for (const char* name : {"copy.dll", "x64.dll", "over.ini", "gone.dll"})
        file(name);
    makeDirs(at("empty"));
    writeFile(log, "Make Dir: empty\r\n"
                   "File Copy: copy.dll\r\n"
                   "File Copy x64: x64.dll\r\n"
                   "File Overwrite: over.ini\r\n"
                   "File Del: gone.dll | left by version 5\r\n");
    replayFileLines(log, base, "File Del: ");
    EXPECT_TRUE(has("copy.dll"));
    EXPECT_TRUE(has("x64.dll"));
    EXPECT_TRUE(has("over.ini"));
    EXPECT_FALSE(has("gone.dll"));
    EXPECT_FALSE(dirExists(at("empty")));
}

TEST_F(ReplayFileLines, ListedDirectoriesGoChildrenFirstAndOnlyWhenEmpty)
{
    makeDirs(at("samples\\hdr"));
    makeDirs(at("full"));
    file("full\\user.txt");
    writeFile(log, "Make Dir: samples\r\n"
                   "Make Dir: samples\\hdr\r\n"
                   "Make Dir: full\r\n");
    replayFileLines(log, base + "\\");
    EXPECT_FALSE(dirExists(at("samples\\hdr")));
    EXPECT_FALSE(dirExists(at("samples"))) << "the parent, listed first, goes after its child";
    EXPECT_TRUE(has("full\\user.txt"));
}

TEST_F(ReplayFileLines, NamesOutsideTheBaseDirectoryAreRefused)
{
    writeFile(scratch / "outside.txt", "x");
    writeFile(scratch / "absolute.txt", "x");
    makeDirs(scratch / "emptyoutside");
    writeFile(log, "File Del: ..\\outside.txt\r\n"
                   "File Del: sub/../../outside.txt\r\n"
                   "File Copy: a.txt > ..\\outside.txt\r\n"
                   "File Del: " + scratch / "absolute.txt" + "\r\n" +
                   "File Del: ..\\*.*\r\n"
                   "Make Dir: ..\\emptyoutside\r\n");
    replayFileLines(log, base);
    EXPECT_TRUE(fileExists(scratch / "outside.txt"));
    EXPECT_TRUE(fileExists(scratch / "absolute.txt"));
    EXPECT_TRUE(fileExists(log));
    EXPECT_TRUE(dirExists(scratch / "emptyoutside"));
}

TEST_F(ReplayFileLines, MissingLogDoesNothing)
{
    file("a.dll");
    replayFileLines(scratch / "none.log", base);
    replayLinkAndDirLines(scratch / "none.log");
    EXPECT_TRUE(has("a.dll"));
}

class ReplayLinkAndDirLines : public ::testing::Test {
protected:
    ScratchDir scratch;
    std::string programs = scratch / "Programs";
    std::string log = scratch / "LmtUnInst.log";
};

TEST_F(ReplayLinkAndDirLines, ShortcutsFirstThenTheGroupAndItsEmptyParents)
{
    const std::string group = programs + "\\Orvanta\\Lumetra 6";
    makeDirs(group);
    writeFile(programs + "\\other.txt", "keeps Programs");
    writeFile(group + "\\Lumetra 6.lnk", "l");
    writeFile(group + "\\Help.LNK", "l");
    // The folder's line comes first: the shortcuts still go before any folder is tried.
    writeFile(log, "Made Dir: " + group + "\r\n" +
                   "Shell Link: " + group + "\\Lumetra 6.lnk\r\n" +
                   "Shell Link: " + group + "\\Help.LNK\r\n");
    replayLinkAndDirLines(log);
    EXPECT_FALSE(dirExists(group));
    EXPECT_FALSE(dirExists(programs + "\\Orvanta")) << "an emptied parent goes too";
    EXPECT_TRUE(fileExists(programs + "\\other.txt")) << "the walk stops at the first non-empty parent";
}

TEST_F(ReplayLinkAndDirLines, FolderThatStillHoldsAFileStays)
{
    const std::string group = programs + "\\Lumetra 6";
    makeDirs(group);
    writeFile(group + "\\mine.txt", "user file");
    writeFile(log, "Made Dir: " + group + "\r\n");
    replayLinkAndDirLines(log);
    EXPECT_TRUE(fileExists(group + "\\mine.txt"));
}

TEST_F(ReplayLinkAndDirLines, OnlyShortcutFilesAreDeleted)
{
    makeDirs(programs);
    writeFile(programs + "\\settings.ini", "not a shortcut");
    writeFile(programs + "\\a.lnk.exe", "not a shortcut");
    writeFile(log, "Shell Link: " + programs + "\\settings.ini\r\n" +
                   "Shell Link: " + programs + "\\a.lnk.exe\r\n" +
                   "shell link: " + programs + "\\x.lnk\r\n");
    writeFile(programs + "\\x.lnk", "wrong-case prefix");
    replayLinkAndDirLines(log);
    EXPECT_TRUE(fileExists(programs + "\\settings.ini"));
    EXPECT_TRUE(fileExists(programs + "\\a.lnk.exe"));
    EXPECT_TRUE(fileExists(programs + "\\x.lnk"));
}

class RegistryTree : public ::testing::Test {
protected:
    ScratchRegKey scratch;
    HKEY parent = nullptr;

    void SetUp() override { RegOpenKeyExA(HKEY_CURRENT_USER, scratch.path().c_str(), 0, KEY_ALL_ACCESS, &parent); }
    void TearDown() override
    {
        if (parent)
            RegCloseKey(parent);
    }
    void make(const std::string& path, const char* value = nullptr)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(parent, path.c_str(), &key), ERROR_SUCCESS);
        if (value)
            RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), 2);
        RegCloseKey(key);
    }
    bool exists(const std::string& path) const
    {
        HKEY key;
        if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(RegistryTree, DeletesTheWholeTree)
{
    make("Product\\A\\A1\\A11", "x");
    make("Product\\A\\A2", "y");
    make("Product\\B", "z");
    make("Product", "w");
    make("Sibling");
    EXPECT_TRUE(deleteRegistryTree(parent, "Product"));
    EXPECT_FALSE(exists("Product"));
    EXPECT_TRUE(exists("Sibling"));
}

TEST_F(RegistryTree, MissingKeyOrNoNameIsFalseAndChangesNothing)
{
    make("Sibling\\Child");
    EXPECT_FALSE(deleteRegistryTree(parent, "Missing"));
    EXPECT_FALSE(deleteRegistryTree(parent, ""));
    EXPECT_FALSE(deleteRegistryTree(parent, nullptr));
    EXPECT_TRUE(exists("Sibling\\Child"));
}

TEST_F(RegistryTree, KeyIfNoSubkeys)
{
    make("Vendor\\OtherProduct");
    make("ValuesOnly", "x");
    deleteKeyIfNoSubkeys(parent, "Vendor");
    deleteKeyIfNoSubkeys(parent, "ValuesOnly");
    deleteKeyIfNoSubkeys(parent, "Missing");
    EXPECT_TRUE(exists("Vendor\\OtherProduct"));
    EXPECT_FALSE(exists("ValuesOnly"));
}

} // namespace
