// Registry access on scratch keys, and the shell-folder lookup in the test program's own prefix.
#include "install/Registry.h"
#include "support/AppContract.h"
#include "tests/support/Scratch.h"
#include <gtest/gtest.h>

namespace {

void setRaw(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& data)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(root, path.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
}

TEST(ReadRegistryString, MissingAndEmptyReadEmpty)
{
    ScratchRegKey scratch;
    setRaw(scratch.root(), scratch.path(), "Empty", REG_SZ, "");
    EXPECT_EQ(readRegistryString(scratch.root(), (scratch.path() + "\\NoSuchKey").c_str(), "X"), "");
    EXPECT_EQ(readRegistryString(scratch.root(), scratch.path().c_str(), "NoSuchValue"), "");
    EXPECT_EQ(readRegistryString(scratch.root(), scratch.path().c_str(), "Empty"), "");
}

TEST(ReadRegistryString, FitsIn260BytesWithItsZero)
{
    ScratchRegKey scratch;
    std::string v259(259, 'a'), v260(260, 'b');
    setRaw(scratch.root(), scratch.path(), "v259", REG_SZ, v259);
    setRaw(scratch.root(), scratch.path(), "v260", REG_SZ, v260);
    EXPECT_EQ(readRegistryString(scratch.root(), scratch.path().c_str(), "v259"), v259);
    EXPECT_EQ(readRegistryString(scratch.root(), scratch.path().c_str(), "v260"), "");
}

TEST(ReadRegistryString, TypeIsNotLookedAt)
{
    ScratchRegKey scratch;
    setRaw(scratch.root(), scratch.path(), "Expand", REG_EXPAND_SZ, "%APPDATA%\\x");
    EXPECT_EQ(readRegistryString(scratch.root(), scratch.path().c_str(), "Expand"), "%APPDATA%\\x");
    // Binary data without a terminating zero: the text stops at the buffer, never beyond it.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(scratch.root(), scratch.path().c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    std::string raw(260, 'z');
    RegSetValueExA(key, "Bin", 0, REG_BINARY, reinterpret_cast<const BYTE*>(raw.data()), 260);
    RegCloseKey(key);
    EXPECT_EQ(readRegistryString(scratch.root(), scratch.path().c_str(), "Bin"), raw);
}

TEST(WriteRegistryString, CreatesMissingLevelsAndDefaultValue)
{
    ScratchRegKey scratch;
    std::string deep = scratch.path() + "\\a\\b\\c";
    EXPECT_TRUE(writeRegistryString(scratch.root(), deep.c_str(), "C:\\x\\LmtCap6.exe"));
    EXPECT_EQ(readRegistryString(scratch.root(), deep.c_str()), "C:\\x\\LmtCap6.exe");
    EXPECT_TRUE(writeRegistryString(scratch.root(), deep.c_str(), "first", "V"));
    EXPECT_TRUE(writeRegistryString(scratch.root(), deep.c_str(), "second", "V"));
    EXPECT_EQ(readRegistryString(scratch.root(), deep.c_str(), "V"), "second");
}

TEST(WriteRegistryString, StoresLengthPlusOne)
{
    ScratchRegKey scratch;
    ASSERT_TRUE(writeRegistryString(scratch.root(), scratch.path().c_str(), "abc", "V"));
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(scratch.root(), scratch.path().c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    RegQueryValueExA(key, "V", nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 4u);
}

TEST(WriteRegistryString, FailsWhereNoKeyCanBeMade)
{
    HKEY notAKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_FALSE(writeRegistryString(notAKey, "Software\\x", "x", "V"));
}

// The test prefix's own Shell Folders values, set and restored around each case.
class ShellFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 6; i++)
            m_saved[i] = readRegistryString(root(i), contract::kShellFoldersKey, name(i));
    }
    void TearDown() override
    {
        for (int i = 0; i < 6; i++)
            writeRegistryString(root(i), contract::kShellFoldersKey, m_saved[i], name(i));
    }
    static HKEY root(int i) { return i < 3 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
    static const char* name(int i)
    {
        static const char* names[] = {"Programs", "Desktop", "Startup", "Common Programs", "Common Desktop",
                                      "Common Startup"};
        return names[i];
    }
    std::string m_saved[6];
};

TEST_F(ShellFolders, EachFolderFromItsRootAndValue)
{
    for (int i = 0; i < 6; i++)
        ASSERT_TRUE(writeRegistryString(root(i), contract::kShellFoldersKey, std::string("C:\\sf\\") + name(i), name(i)));
    const struct {
        ShellFolder folder;
        bool allUsers;
        const char* expected;
    } cases[] = {
        {ShellFolder::Programs, false, "C:\\sf\\Programs"},
        {ShellFolder::Desktop, false, "C:\\sf\\Desktop"},
        {ShellFolder::Startup, false, "C:\\sf\\Startup"},
        {ShellFolder::Programs, true, "C:\\sf\\Common Programs"},
        {ShellFolder::Desktop, true, "C:\\sf\\Common Desktop"},
        {ShellFolder::Startup, true, "C:\\sf\\Common Startup"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookupShellFolder(c.folder, c.allUsers), c.expected);
}

TEST_F(ShellFolders, CommonStartupNeverComesFromTheCurrentUser)
{
    writeRegistryString(HKEY_CURRENT_USER, contract::kShellFoldersKey, "C:\\user\\Common Startup", "Common Startup");
    writeRegistryString(HKEY_LOCAL_MACHINE, contract::kShellFoldersKey, "", "Common Startup");
    EXPECT_EQ(lookupShellFolder(ShellFolder::Startup, true), "");
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, contract::kShellFoldersKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Common Startup");
        RegCloseKey(key);
    }
}

} // namespace
