// The product's registry entries at uninstall, on real keys of the test's own prefix: the local
// machine, the current user, a second user hive under HKEY_USERS, the classes root and the
// system's lists of installed programs and application paths.
#include "support/AppContract.h"
#include "uninstall/ProductRegistry.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>

namespace {

// A hive that stands for another user profile loaded beside the current user's.
const char* const kOtherUser = "S-1-5-21-1000-2000-3000-1077";

bool keyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void writeValue(HKEY root, const std::string& path, const char* name, const char* text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(root, path.c_str(), &key), ERROR_SUCCESS) << path;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
}

void deleteTree(HKEY root, const std::string& path)
{
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

std::string under(const std::string& parent, const std::string& child)
{
    return parent + "\\" + child;
}

// The product's keys as an installation and the application leave them, in every place they can
// be, with neighbours that belong to others.
class ProductRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyA(HKEY_USERS, kOtherUser, &m_otherUser), ERROR_SUCCESS);
        for (HKEY root : productRoots())
            writeProductKey(root);
        writeValue(HKEY_CLASSES_ROOT, under(contract::kDocumentClass, "shell\\open\\command"), nullptr,
                   "\"C:\\Program Files\\Lumetra 6\\LmtCap6.exe\" \"%1\"");
        writeValue(HKEY_CLASSES_ROOT, contract::kDocumentClass, nullptr, "Lumetra 6 Document");
        const char* entryValues[] = {"Contact", "DisplayName", "DisplayVersion", "Publisher", "UninstallString",
                                     "URLInfoAbout", "QuietUninstallString", "InstallLocation", "DisplayIcon"};
        for (const char* name : entryValues)
            writeValue(HKEY_LOCAL_MACHINE, contract::kUninstallEntryKey, name, "x");
        writeValue(HKEY_LOCAL_MACHINE, under(contract::kUninstallListKey, "Other App"), "DisplayName", "Other App");
        writeValue(HKEY_LOCAL_MACHINE, contract::kAppPathKey, nullptr, "C:\\Program Files\\Lumetra 6\\LmtCap6.exe");
        writeValue(HKEY_LOCAL_MACHINE, under(contract::kAppPathsKey, "other.exe"), nullptr, "C:\\other.exe");
    }

    void TearDown() override
    {
        for (HKEY root : productRoots())
            deleteTree(root, contract::kVendorKey);
        deleteTree(HKEY_CLASSES_ROOT, contract::kDocumentClass);
        deleteTree(HKEY_LOCAL_MACHINE, contract::kUninstallEntryKey);
        deleteTree(HKEY_LOCAL_MACHINE, under(contract::kUninstallListKey, "Other App"));
        deleteTree(HKEY_LOCAL_MACHINE, contract::kAppPathKey);
        deleteTree(HKEY_LOCAL_MACHINE, under(contract::kAppPathsKey, "other.exe"));
        RegCloseKey(m_otherUser);
        deleteTree(HKEY_USERS, kOtherUser);
    }

    std::vector<HKEY> productRoots() const { return {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, m_otherUser}; }

    // A tree with subkeys and values, as the application may keep its settings.
    static void writeProductKey(HKEY root)
    {
        writeValue(root, contract::kProductKey, "Path", "C:\\Program Files\\Lumetra 6");
        writeValue(root, under(contract::kProductKey, "Settings\\Recent"), "File1", "C:\\a.lmp");
        writeValue(root, under(contract::kProductKey, "Toolbars"), "Main", "1");
    }

    HKEY m_otherUser = nullptr;
};

TEST_F(ProductRegistry, RemovesEveryEntryOfTheProductAndNothingElse)
{
    // A second product of the maker keeps the vendor key on the local machine; elsewhere only a
    // value is left, which does not keep it.
    writeValue(HKEY_LOCAL_MACHINE, under(contract::kVendorKey, "Other Product"), "Path", "C:\\Other");
    writeValue(HKEY_CURRENT_USER, contract::kVendorKey, "LastUser", "me");

    removeProductRegistry();

    for (HKEY root : productRoots())
        EXPECT_FALSE(keyExists(root, contract::kProductKey));
    EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, under(contract::kVendorKey, "Other Product")));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, contract::kVendorKey));
    EXPECT_FALSE(keyExists(m_otherUser, contract::kVendorKey));

    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, contract::kDocumentClass));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, contract::kUninstallEntryKey));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, contract::kAppPathKey));
    EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, under(contract::kUninstallListKey, "Other App")));
    EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, under(contract::kAppPathsKey, "other.exe")));
}

TEST_F(ProductRegistry, SecondRunFindsNothingAndChangesNothing)
{
    writeValue(HKEY_CURRENT_USER, under(contract::kVendorKey, "Other Product"), "Path", "C:\\Other");
    removeProductRegistry();
    removeProductRegistry();
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, under(contract::kVendorKey, "Other Product")));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, contract::kVendorKey));
}

} // namespace
