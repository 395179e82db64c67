// Giving the image file types back at uninstall, on real keys of the test's own prefix: the
// current user's FileExts key ("Application" values) and, without it, the classes root (default
// values).
#include "support/AppContract.h"
#include "uninstall/ImageAssociations.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kAbsent = nullptr;

struct Value {
    bool present = false;
    std::string text;
};

Value readValue(HKEY root, const std::string& path, const char* name)
{
    Value value;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char buffer[2048];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
        value.present = true;
        value.text.assign(buffer, strnlen(buffer, size));
    }
    RegCloseKey(key);
    return value;
}

void writeValue(HKEY root, const std::string& path, const char* name, const char* text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(root, path.c_str(), &key), ERROR_SUCCESS) << path;
    if (text)
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
}

// Where one mode keeps the opening program of an extension.
struct Store {
    const char* label;
    HKEY root;
    std::string parent;    // the extension keys' parent under root ("" for the classes root)
    const char* valueName; // null: the default value

    std::string keyOf(const std::string& extension) const
    {
        return parent.empty() ? extension : parent + "\\" + extension;
    }
};

const Store kPerUser = {"per-user FileExts", HKEY_CURRENT_USER, contract::kFileExtsKey, contract::kOpenWithValue};
const Store kClassesRoot = {"classes root", HKEY_CLASSES_ROOT, "", nullptr};

const std::string kOurs = "C:\\Program Files\\Lumetra 6\\LmtCap6.exe \"%1\"";

struct Case {
    const char* extension;
    const char* before;       // the opening program; null: absent
    const char* savedBefore;  // "LmtCapOld"; null: absent
    const char* after;        // expected opening program; null: absent
    const char* savedAfter;   // expected "LmtCapOld"; null: absent
};

bool sameValue(const char* a, const char* b)
{
    return a == b || (a && b && strcmp(a, b) == 0);
}

bool changes(const Case& c)
{
    return !sameValue(c.before, c.after) || !sameValue(c.savedBefore, c.savedAfter);
}

const std::string kLong = std::string(600, 'x') + "LmtCap6.exe";

const Case kCases[] = {
    // Taken over, earlier owner saved: given back, the saved copy deleted.
    {".bmp", kOurs.c_str(), "mspaint.exe \"%1\"", "mspaint.exe \"%1\"", kAbsent},
    // Taken over with nothing saved, or an empty saved text: the value goes.
    {".jpg", kOurs.c_str(), kAbsent, kAbsent, kAbsent},
    {".gif", kOurs.c_str(), "", kAbsent, kAbsent},
    // Another program's: untouched, its "LmtCapOld" included.
    {".png", "viewer.exe", "other.exe", "viewer.exe", "other.exe"},
    {".tif", kAbsent, "other.exe", kAbsent, "other.exe"},
    {".dib", "", "other.exe", "", "other.exe"},
    // The name is matched with its case.
    {".tga", "c:\\x\\lmtcap6.exe", "other.exe", "c:\\x\\lmtcap6.exe", "other.exe"},
    // A saved text that names the application itself is no earlier owner.
    {".wpg", kOurs.c_str(), "D:\\Old\\LmtCap6.exe", kAbsent, kAbsent},
    // A value too long for the buffer is not read, so it is left alone.
    {".tiff", kLong.c_str(), "other.exe", kLong.c_str(), "other.exe"},
    // Not an image type of the table.
    {".pcx", kOurs.c_str(), "other.exe", kOurs.c_str(), "other.exe"},
};

class ImageAssociations : public ::testing::TestWithParam<const Store*> {
protected:
    void SetUp() override
    {
        clearAll();
        if (store().root == HKEY_CLASSES_ROOT)
            RegDeleteTreeA(HKEY_CURRENT_USER, contract::kFileExtsKey);
    }
    void TearDown() override { clearAll(); }

    const Store& store() const { return *GetParam(); }

    void clearAll()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, contract::kFileExtsKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, contract::kFileExtsKey);
        for (const Case& c : kCases) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, c.extension);
            RegDeleteKeyA(HKEY_CLASSES_ROOT, c.extension);
        }
    }

    void prepare(const Case& c)
    {
        std::string key = store().keyOf(c.extension);
        writeValue(store().root, key, store().valueName, c.before);
        writeValue(store().root, key, contract::kPreviousOwnerValue, c.savedBefore);
    }

    void expectValue(const Value& actual, const char* expected, const char* what, const Case& c)
    {
        EXPECT_EQ(actual.present, expected != nullptr) << what << " of " << c.extension;
        if (expected && actual.present) {
            EXPECT_EQ(actual.text, expected) << what << " of " << c.extension;
        }
    }
};

TEST_P(ImageAssociations, GivesBackOnlyTheApplicationsTypes)
{
    for (const Case& c : kCases)
        prepare(c);

    EXPECT_TRUE(restoreImageAssociations());

    for (const Case& c : kCases) {
        std::string key = store().keyOf(c.extension);
        expectValue(readValue(store().root, key, store().valueName), c.after, "opening program", c);
        expectValue(readValue(store().root, key, contract::kPreviousOwnerValue), c.savedAfter, "LmtCapOld", c);
    }
    // Everything is given back now: a second run changes nothing and announces nothing.
    EXPECT_FALSE(restoreImageAssociations());
}

TEST_P(ImageAssociations, AnnouncesNothingWhenNothingChanged)
{
    for (const Case& c : kCases) {
        if (!changes(c))
            prepare(c);
    }
    EXPECT_FALSE(restoreImageAssociations());
}

TEST_P(ImageAssociations, OneTakenOverTypeIsEnoughForTheAnnouncement)
{
    prepare(kCases[0]);
    EXPECT_TRUE(restoreImageAssociations());
}

INSTANTIATE_TEST_SUITE_P(Stores, ImageAssociations, ::testing::Values(&kPerUser, &kClassesRoot),
                         [](const ::testing::TestParamInfo<const Store*>& info) {
                             return std::string(info.param->root == HKEY_CURRENT_USER ? "PerUserFileExts"
                                                                                      : "ClassesRoot");
                         });

// With a per-user FileExts key present, the classes root is not looked at.
TEST(ImageAssociationsRoot, PerUserKeyHidesTheClassesRoot)
{
    writeValue(HKEY_CURRENT_USER, std::string(contract::kFileExtsKey) + "\\.gif", contract::kOpenWithValue, "viewer.exe");
    writeValue(HKEY_CLASSES_ROOT, ".bmp", nullptr, kOurs.c_str());
    writeValue(HKEY_CLASSES_ROOT, ".bmp", contract::kPreviousOwnerValue, "mspaint.exe");

    EXPECT_FALSE(restoreImageAssociations());
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, ".bmp", nullptr).text, kOurs);
    EXPECT_TRUE(readValue(HKEY_CLASSES_ROOT, ".bmp", contract::kPreviousOwnerValue).present);

    RegDeleteTreeA(HKEY_CURRENT_USER, contract::kFileExtsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, contract::kFileExtsKey);
    EXPECT_TRUE(restoreImageAssociations());
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, ".bmp", nullptr).text, "mspaint.exe");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".bmp");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".bmp");
}

} // namespace
