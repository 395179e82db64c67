// Restart-time requests: the system's pending operations, and the "rename" section of the
// initialisation file that older systems read at start-up, written through the fallback writer.
#include "support/Scratch.h"
#include "unit/RestartPending.h"
#include "install/RestartOperations.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::string> renameSection(const std::string& iniFile)
{
    std::vector<char> buffer(0x10000, '\0');
    DWORD n = GetPrivateProfileSectionA("rename", buffer.data(), static_cast<DWORD>(buffer.size()), iniFile.c_str());
    std::vector<std::string> entries;
    for (DWORD i = 0; i < n;) {
        std::string entry(&buffer[i]);
        entries.push_back(entry);
        i += static_cast<DWORD>(entry.size()) + 1;
    }
    return entries;
}

class RestartIniFallback : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string ini() const { return dir / "wininit.ini"; }
};

TEST_F(RestartIniFallback, AbsentSectionBecomesOneEntry)
{
    writeFile(ini(), "[other]\r\nkey=value\r\n");
    EXPECT_TRUE(addRestartIniEntry("NUL", "C:\\temp\\gone.exe", ini().c_str()));
    EXPECT_EQ(renameSection(ini()), std::vector<std::string>{"NUL=C:\\temp\\gone.exe"});
    char value[64] = "";
    GetPrivateProfileStringA("other", "key", "", value, sizeof value, ini().c_str());
    EXPECT_STREQ(value, "value");
}

TEST_F(RestartIniFallback, ExistingEntriesKeepTheirOrderAndTheNewOneComesLast)
{
    writeFile(ini(), "[rename]\r\nNUL=C:\\a.old\r\nC:\\b.dll=C:\\b.dll.new\r\nNUL=C:\\c.old\r\n");
    EXPECT_TRUE(addRestartIniEntry("C:\\d.exe", "C:\\d.exe.new", ini().c_str()));
    EXPECT_TRUE(addRestartIniEntry("NUL", "C:\\e.old", ini().c_str()));
    std::vector<std::string> expected = {"NUL=C:\\a.old", "C:\\b.dll=C:\\b.dll.new", "NUL=C:\\c.old",
                                         "C:\\d.exe=C:\\d.exe.new", "NUL=C:\\e.old"};
    EXPECT_EQ(renameSection(ini()), expected);
}

// The section travels through a buffer of 16384 bytes: existing entries, the new one, its zero
// byte and the closing zero.
TEST_F(RestartIniFallback, AnEntryThatDoesNotFitIsRefusedAndNothingChanges)
{
    const std::string newSource = "C:\\x.old";           // "NUL=C:\x.old": 12 bytes + 2 zeros
    const size_t room = 16384 - (4 + newSource.size()) - 2;
    std::string content = "[rename]\r\n";
    size_t used = 0;
    for (int i = 0; used + 100 <= room; i++) {
        std::string entry = "NUL=C:\\f" + std::string(90 - std::to_string(i).size(), 'x') + std::to_string(i);
        content += entry + "\r\n";
        used += entry.size() + 1;
    }
    // One last entry that fills the room exactly.
    std::string last = "NUL=C:\\z" + std::string(room - used - 9, 'y');
    content += last + "\r\n";
    writeFile(ini(), content);
    ASSERT_EQ(used + last.size() + 1, room);

    const std::string before = readFile(ini());
    EXPECT_FALSE(addRestartIniEntry("NUL", newSource + "x", ini().c_str())) << "one byte too many";
    EXPECT_EQ(readFile(ini()), before);
    EXPECT_TRUE(addRestartIniEntry("NUL", newSource, ini().c_str())) << "exactly fits";
    std::vector<std::string> entries = renameSection(ini());
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back(), "NUL=" + newSource);
    EXPECT_EQ(entries[entries.size() - 2], last);
    // Now full: a section cut short by the read must never be written back.
    EXPECT_FALSE(addRestartIniEntry("NUL", "C:\\y", ini().c_str()));
}

TEST(RestartIniFile, WithoutAPathTheFileOfTheWindowsDirectoryIsUsed)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string path = std::string(windows) + "\\WININIT.INI";
    const bool existed = fileExists(path);
    const std::string saved = readFile(path);
    EXPECT_TRUE(addRestartIniEntry("NUL", "C:\\lmt-unit-test.tmp"));
    std::vector<std::string> entries = renameSection(path);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back(), "NUL=C:\\lmt-unit-test.tmp");
    if (existed)
        writeFile(path, saved);
    else
        DeleteFileA(path.c_str());
}

TEST(PendingOperations, RequestsAreRecordedInTheOrderMade)
{
    ScratchDir dir;
    const std::string target = dir / "t.dll";
    writeFile(target, "old");
    writeFile(target + ".new", "new");
    EXPECT_TRUE(scheduleDeleteAtRestart(target));
    EXPECT_TRUE(scheduleRenameAtRestart(target + ".new", target));
    int deleteIndex = pendingIndex(target, "");
    EXPECT_GE(deleteIndex, 0);
    EXPECT_GT(pendingIndex(target + ".new", target), deleteIndex);
    // Nothing happens before the restart.
    EXPECT_EQ(readFile(target), "old");
}

} // namespace
