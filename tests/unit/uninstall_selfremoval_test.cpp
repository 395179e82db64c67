// The pieces of the uninstaller's hand-over to its temporary copy that can run inside a test
// program: the copy's command-line arguments, the installation directory taken from the
// uninstaller's path, and the deletion of an uninstaller file that is still held for a moment.
#include "support/Scratch.h"
#include "uninstall/HandOver.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <thread>

namespace {

TEST(SelfRemoval, ArgumentsAreQuotedOnlyWhenTheyHoldASpaceOrTab)
{
    struct {
        const char* argument;
        const char* expected;
    } cases[] = {
        {"C:\\Users\\me\\AppData\\Local\\Temp\\uniA1.tmp", "C:\\Users\\me\\AppData\\Local\\Temp\\uniA1.tmp"},
        {"C:\\Temp Dir\\uniA1.tmp", "\"C:\\Temp Dir\\uniA1.tmp\""},
        {"C:\\Tab\there\\uniA1.tmp", "\"C:\\Tab\there\\uniA1.tmp\""},
        {"C:\\Program Files\\Lumetra 6\\LmtUnInst.exe", "\"C:\\Program Files\\Lumetra 6\\LmtUnInst.exe\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotedArgument(c.argument), c.expected);
}

TEST(SelfRemoval, InstallationDirectoryKeepsItsTrailingBackslash)
{
    struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\Lumetra 6\\LmtUnInst.exe", "C:\\Program Files\\Lumetra 6\\"},
        {"D:\\LmtUnInst.exe", "D:\\"},
        {"\\\\server\\share\\Lumetra 6\\LmtUnInst.exe", "\\\\server\\share\\Lumetra 6\\"},
        {"C:\\Lumetra.6\\Un Inst.exe", "C:\\Lumetra.6\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(uninstallerDirectory(c.path), c.expected);
}

// The ended uninstaller's image may be released a moment after the copy's wait: the deletion is
// tried again until the file is free.
TEST(SelfRemoval, UninstallerFileHeldForAMomentIsStillDeleted)
{
    ScratchDir scratch;
    std::string file = scratch / "LmtUnInst.exe";
    writeFile(file, "MZ");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread releaser([held] {
        Sleep(1200);
        CloseHandle(held);
    });
    bool deleted = deleteUninstallerFile(file);
    releaser.join();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(fileExists(file));
}

} // namespace
