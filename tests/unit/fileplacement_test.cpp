// copyOneFile and copyMatchingFiles against real files of a scratch folder: absent, read-only and
// hidden targets, running program images, files held open with share mode 0, and the restart-time
// requests they leave in the system's pending operations.
#include "unit/RestartPending.h"
#include "support/Scratch.h"
#include "app/SetupSettings.h"
#include "install/FilePlacement.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

class CopyOneFile : public ::testing::Test {
protected:
    ScratchDir src;
    ScratchDir dst;

    void SetUp() override { writeFile(src / "a.txt", "new content"); }
    std::string target() const { return dst / "a.txt"; }
};

TEST_F(CopyOneFile, AbsentTargetIsAPlainCopy)
{
    EXPECT_TRUE(copyOneFile("a.txt", src.path(), dst.path()));
    EXPECT_EQ(readFile(target()), "new content");
}

TEST_F(CopyOneFile, DirectoriesWithOrWithoutTrailingSeparatorAndTargetName)
{
    EXPECT_TRUE(copyOneFile("a.txt", src.path() + "\\", dst.path() + "/", "b.txt"));
    EXPECT_EQ(readFile(dst / "b.txt"), "new content");
    EXPECT_FALSE(fileExists(target()));
}

TEST_F(CopyOneFile, ReadOnlyHiddenTargetIsReplacedAndTakesTheSourceAttributes)
{
    writeFile(target(), "old");
    SetFileAttributesA(target().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(copyOneFile("a.txt", src.path(), dst.path()));
    EXPECT_EQ(readFile(target()), "new content");
    DWORD attributes = GetFileAttributesA(target().c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_FALSE(fileExists(target() + ".old"));
}

TEST_F(CopyOneFile, RunningImageIsMovedAsideAndReplacedAtOnce)
{
    const std::string app = dst / "app.exe";
    writeFile(src / "app.exe", "new program");
    RunningImage running(app);
    ASSERT_TRUE(running.running());
    ASSERT_FALSE(DeleteFileA(app.c_str())); // a running image cannot be deleted

    EXPECT_TRUE(copyOneFile("app.exe", src.path(), dst.path()));
    EXPECT_EQ(readFile(app), "new program");
    EXPECT_TRUE(fileExists(app + ".old"));
    EXPECT_GE(pendingIndex(app + ".old", ""), 0) << "T.old is deleted at the restart";
    EXPECT_FALSE(fileExists(app + ".new"));
}

TEST_F(CopyOneFile, StuckOldSideFileIsScheduledAndTheTargetGoesToOld2)
{
    const std::string app = dst / "app.exe";
    writeFile(src / "app.exe", "new program");
    RunningImage earlier(app + ".old");
    RunningImage running(app);
    ASSERT_TRUE(earlier.running() && running.running());

    EXPECT_TRUE(copyOneFile("app.exe", src.path(), dst.path()));
    EXPECT_EQ(readFile(app), "new program");
    EXPECT_TRUE(fileExists(app + ".old2"));
    int oldIndex = pendingIndex(app + ".old", "");
    int old2Index = pendingIndex(app + ".old2", "");
    EXPECT_GE(oldIndex, 0);
    EXPECT_GT(old2Index, oldIndex);
}

TEST_F(CopyOneFile, HeldTargetWaitsInNewForTheRestart)
{
    writeFile(target(), "old");
    HeldFile held(target());
    ASSERT_TRUE(held.held());

    EXPECT_FALSE(copyOneFile("a.txt", src.path(), dst.path()));
    EXPECT_EQ(readFile(target() + ".new"), "new content");
    int deleteIndex = pendingIndex(target(), "");
    int renameIndex = pendingIndex(target() + ".new", target());
    EXPECT_GE(deleteIndex, 0);
    EXPECT_GT(renameIndex, deleteIndex) << "the target must be gone before T.new is renamed to it";
    EXPECT_TRUE(restartRequired());
}

TEST_F(CopyOneFile, FailedCopyToNewRequestsNoDeletionOfTheTarget)
{
    writeFile(target(), "old");
    CreateDirectoryA((target() + ".new").c_str(), nullptr); // T.new cannot be written
    HeldFile held(target());
    ASSERT_TRUE(held.held());

    EXPECT_FALSE(copyOneFile("a.txt", src.path(), dst.path()));
    EXPECT_EQ(pendingIndex(target(), ""), -1) << "the user would be left with no file after the restart";
    EXPECT_EQ(pendingIndex(target() + ".new", target()), -1);
}

TEST_F(CopyOneFile, SameDirectoryCases)
{
    writeFile(src / "b.txt", "kept");
    // No target name: the file is already in place.
    EXPECT_TRUE(copyOneFile("a.txt", src.path(), src.path() + "\\"));
    EXPECT_TRUE(copyOneFile("A.TXT", src.path(), src.path()));
    // The same name as target name: deleting the target would delete the source.
    EXPECT_TRUE(copyOneFile("a.txt", src.path(), src.path(), "A.txt"));
    EXPECT_EQ(readFile(src / "a.txt"), "new content");
    // A target name whose file can be deleted: replaced by the copy.
    EXPECT_TRUE(copyOneFile("a.txt", src.path(), src.path(), "b.txt"));
    EXPECT_EQ(readFile(src / "b.txt"), "new content");
    // A target name whose file cannot be deleted: true, and the file stays as it was.
    writeFile(src / "c.txt", "held");
    {
        HeldFile held(src / "c.txt");
        EXPECT_TRUE(copyOneFile("a.txt", src.path(), src.path(), "c.txt"));
    }
    EXPECT_EQ(readFile(src / "c.txt"), "held");
    EXPECT_FALSE(fileExists(src / "c.txt.new"));
}

TEST_F(CopyOneFile, RefusalsChangeNothing)
{
    // Missing source.
    writeFile(target(), "old");
    EXPECT_FALSE(copyOneFile("missing.txt", src.path(), dst.path(), "a.txt"));
    EXPECT_EQ(readFile(target()), "old");
    // A source that is a directory: the target directory of that name is not moved aside.
    makeDirs(src / "sub");
    makeDirs(dst / "sub");
    writeFile(dst / "sub\\keep.txt", "x");
    EXPECT_FALSE(copyOneFile("sub", src.path(), dst.path()));
    EXPECT_TRUE(fileExists(dst / "sub\\keep.txt"));
    EXPECT_FALSE(dirExists(dst / "sub.old"));
    // A target that is a directory.
    EXPECT_FALSE(copyOneFile("a.txt", src.path(), dst.path(), "sub"));
    EXPECT_TRUE(dirExists(dst / "sub"));
    EXPECT_FALSE(dirExists(dst / "sub.old"));
    // A joined path beyond the ANSI limit.
    EXPECT_FALSE(copyOneFile("a.txt", src.path(), dst.path(), std::string(260, 'x').c_str()));
}

class CopyMatchingFiles : public ::testing::Test {
protected:
    ScratchDir src;
    ScratchDir dst;
};

TEST_F(CopyMatchingFiles, NoMatchLeavesTheTargetUncreated)
{
    EXPECT_EQ(copyMatchingFiles("*.none", dst / "a\\b", src.path()), 0);
    EXPECT_FALSE(dirExists(dst / "a"));
}

TEST_F(CopyMatchingFiles, CreatesEveryMissingLevelOfTheTarget)
{
    writeFile(src / "one.dll", "1");
    writeFile(src / "two.dll", "2");
    writeFile(src / "three.txt", "3");
    EXPECT_EQ(copyMatchingFiles("*.dll", dst / "a\\b\\c", src.path()), 2);
    EXPECT_EQ(readFile(dst / "a\\b\\c\\one.dll"), "1");
    EXPECT_EQ(readFile(dst / "a\\b\\c\\two.dll"), "2");
    EXPECT_FALSE(fileExists(dst / "a\\b\\c\\three.txt"));
}

TEST_F(CopyMatchingFiles, SubdirectoryPatternGoesToTheSameSubdirectory)
{
    makeDirs(src / "help");
    writeFile(src / "help\\a.htm", "a");
    writeFile(src / "help\\b.htm", "b");
    makeDirs(dst / "help");
    EXPECT_EQ(copyMatchingFiles("help\\*.htm", dst.path(), src.path()), 2);
    EXPECT_EQ(readFile(dst / "help\\a.htm"), "a");
    EXPECT_FALSE(fileExists(dst / "a.htm"));
}

TEST_F(CopyMatchingFiles, StopsAtASubdirectoryInEnumerationOrder)
{
    for (const char* name : {"a.txt", "m.txt", "z.txt"})
        writeFile(src / name, name);
    makeDirs(src / "k.dir");
    // The files the platform returns before the directory are copied, none after it.
    std::vector<std::string> order;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((src / "*.*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            order.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    size_t before = std::find(order.begin(), order.end(), "k.dir") - order.begin();

    EXPECT_EQ(copyMatchingFiles("*.*", dst.path(), src.path()), static_cast<int>(before));
    for (size_t i = 0; i < order.size(); i++) {
        if (order[i] != "k.dir") {
            EXPECT_EQ(fileExists(dst / order[i]), i < before) << order[i];
        }
    }
}

TEST(RunningOnWow64, AnswersSixtyFourBitWindows)
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
#ifdef _WIN64
    // IsWow64Process says false to a 64-bit process, which runs only on 64-bit Windows: the
    // answer must not come from it.
    EXPECT_FALSE(wow64);
    EXPECT_TRUE(runningOnWow64());
    IsWow64ProcessFn saved = setupSettings.isWow64ProcessFn;
    setupSettings.isWow64ProcessFn = nullptr;
    EXPECT_TRUE(runningOnWow64());
    setupSettings.isWow64ProcessFn = saved;
#else
    EXPECT_EQ(runningOnWow64(), wow64 != FALSE);
    IsWow64ProcessFn saved = setupSettings.isWow64ProcessFn;
    setupSettings.isWow64ProcessFn = nullptr; // a system without the function
    EXPECT_FALSE(runningOnWow64());
    setupSettings.isWow64ProcessFn = saved;
#endif
}

} // namespace
