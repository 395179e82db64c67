// The shortcuts and group folders named after the product, for all users and for every loaded
// user hive, with the shell folders of the test's prefix pointed at scratch folders.
#include "support/AppContract.h"
#include "support/Scratch.h"
#include "uninstall/FixedShortcuts.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kOtherUser = "S-1-5-21-1000-2000-3000-1078";

// Sets a value, remembering what it was so that it can be put back.
class ValueOverride {
public:
    ValueOverride(HKEY root, const std::string& path, const char* name, const std::string& text)
        : m_root(root), m_path(path), m_name(name)
    {
        HKEY key;
        if (RegCreateKeyA(root, path.c_str(), &key) != ERROR_SUCCESS)
            return;
        char buffer[1024];
        DWORD size = sizeof buffer;
        m_hadValue = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) ==
                     ERROR_SUCCESS;
        if (m_hadValue)
            m_saved.assign(buffer, strnlen(buffer, size));
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    ~ValueOverride()
    {
        HKEY key;
        if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        if (m_hadValue)
            RegSetValueExA(key, m_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(m_saved.c_str()),
                           static_cast<DWORD>(m_saved.size() + 1));
        else
            RegDeleteValueA(key, m_name.c_str());
        RegCloseKey(key);
    }
    ValueOverride(const ValueOverride&) = delete;
    ValueOverride& operator=(const ValueOverride&) = delete;

private:
    HKEY m_root;
    std::string m_path;
    std::string m_name;
    bool m_hadValue = false;
    std::string m_saved;
};

// One scope's Startup, Desktop and Programs folders, each with what an installation of the
// product under its fixed name leaves there, and with things that are not the product's.
struct ScopeFolders {
    std::string startup, desktop, programs;

    void populate() const
    {
        for (const std::string& dir : {startup, desktop, programs + "\\Lumetra 6"})
            makeDirs(dir);
        writeFile(startup + "\\Lumetra 6.lnk", "L");
        writeFile(desktop + "\\Lumetra 6.lnk", "L");
        writeFile(desktop + "\\Lumetra 6 Help.lnk", "L");
        writeFile(desktop + "\\Lumetra 6.txt", "mine");
        for (const char* name : {"Lumetra 6.lnk", "Uninstall Lumetra 6.lnk", "notes.txt"})
            writeFile(programs + "\\Lumetra 6\\" + name, "L");
        std::string hidden = programs + "\\Lumetra 6\\hidden.lnk";
        writeFile(hidden, "L");
        SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
        makeDirs(programs + "\\Lumetra 7");
        writeFile(programs + "\\Lumetra 7\\Lumetra 7.lnk", "L");
    }

    void expectProductGone() const
    {
        EXPECT_FALSE(fileExists(startup + "\\Lumetra 6.lnk"));
        EXPECT_FALSE(fileExists(desktop + "\\Lumetra 6.lnk"));
        EXPECT_FALSE(dirExists(programs + "\\Lumetra 6"));
        expectOthersKept();
    }

    void expectUntouched() const
    {
        EXPECT_TRUE(fileExists(startup + "\\Lumetra 6.lnk"));
        EXPECT_TRUE(fileExists(desktop + "\\Lumetra 6.lnk"));
        EXPECT_TRUE(fileExists(programs + "\\Lumetra 6\\notes.txt"));
        expectOthersKept();
    }

    void expectOthersKept() const
    {
        EXPECT_TRUE(fileExists(desktop + "\\Lumetra 6 Help.lnk"));
        EXPECT_TRUE(fileExists(desktop + "\\Lumetra 6.txt"));
        EXPECT_TRUE(fileExists(programs + "\\Lumetra 7\\Lumetra 7.lnk"));
    }
};

class FixedShortcuts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyA(HKEY_USERS, (std::string(kOtherUser) + "\\" + contract::kShellFoldersKey).c_str(),
                                &m_otherUserFolders),
                  ERROR_SUCCESS);
        for (const ScopeFolders* scope : {&m_allUsers, &m_currentUser, &m_otherUser})
            scope->populate();
        pointAt(HKEY_LOCAL_MACHINE, m_allUsers, "Common Startup", "Common Desktop", "Common Programs");
        pointAt(HKEY_CURRENT_USER, m_currentUser, "Startup", "Desktop", "Programs");
        pointAt(HKEY_USERS, m_otherUser, "Startup", "Desktop", "Programs", std::string(kOtherUser) + "\\");
    }

    void TearDown() override
    {
        m_overrides.clear();
        RegCloseKey(m_otherUserFolders);
        RegDeleteTreeA(HKEY_USERS, kOtherUser);
        RegDeleteKeyA(HKEY_USERS, kOtherUser);
    }

    void pointAt(HKEY root, const ScopeFolders& scope, const char* startup, const char* desktop, const char* programs,
                 const std::string& prefix = std::string())
    {
        std::string key = prefix + contract::kShellFoldersKey;
        m_overrides.emplace_back(new ValueOverride(root, key, startup, scope.startup));
        m_overrides.emplace_back(new ValueOverride(root, key, desktop, scope.desktop));
        m_overrides.emplace_back(new ValueOverride(root, key, programs, scope.programs));
    }

    ScopeFolders folders(const char* name) const
    {
        std::string base = m_scratch / name;
        return {base + "\\Start Menu\\Programs\\Startup", base + "\\Desktop", base + "\\Start Menu\\Programs"};
    }

    ScratchDir m_scratch;
    ScopeFolders m_allUsers = folders("Public");
    ScopeFolders m_currentUser = folders("me");
    ScopeFolders m_otherUser = folders("other user");
    HKEY m_otherUserFolders = nullptr;
    std::vector<std::unique_ptr<ValueOverride>> m_overrides;
};

TEST_F(FixedShortcuts, AllUsersFoldersOnly)
{
    removeFixedShortcutsOfAllUsers();
    m_allUsers.expectProductGone();
    m_currentUser.expectUntouched();
    m_otherUser.expectUntouched();
}

TEST_F(FixedShortcuts, EveryLoadedUserHive)
{
    removeFixedShortcutsOfEveryUser();
    m_currentUser.expectProductGone();
    m_otherUser.expectProductGone();
    m_allUsers.expectUntouched();
}

// The group folder loses its files, but a subfolder keeps it (and the subfolder's content).
TEST_F(FixedShortcuts, GroupFolderWithASubfolderStays)
{
    std::string group = m_currentUser.programs + "\\Lumetra 6";
    makeDirs(group + "\\Extras");
    writeFile(group + "\\Extras\\tool.lnk", "L");
    removeFixedShortcutsOfEveryUser();
    EXPECT_FALSE(fileExists(group + "\\Lumetra 6.lnk"));
    EXPECT_TRUE(fileExists(group + "\\Extras\\tool.lnk"));
}

// An empty folder value names no folder: the drive's root is not taken in its place.
TEST_F(FixedShortcuts, EmptyFolderValueIsPassedOver)
{
    ValueOverride emptyStartup(HKEY_USERS, std::string(kOtherUser) + "\\" + contract::kShellFoldersKey, "Startup", "");
    ValueOverride emptyPrograms(HKEY_USERS, std::string(kOtherUser) + "\\" + contract::kShellFoldersKey, "Programs", "");
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    SetCurrentDirectoryA("C:\\");
    writeFile("C:\\Lumetra 6.lnk", "L");
    makeDirs("C:\\Lumetra 6");
    writeFile("C:\\Lumetra 6\\keep.txt", "mine");

    removeFixedShortcutsOfEveryUser();

    EXPECT_TRUE(fileExists("C:\\Lumetra 6.lnk"));
    EXPECT_TRUE(fileExists("C:\\Lumetra 6\\keep.txt"));
    DeleteFileA("C:\\Lumetra 6.lnk");
    removeTree("C:\\Lumetra 6");
    SetCurrentDirectoryA(cwd);
}

} // namespace
