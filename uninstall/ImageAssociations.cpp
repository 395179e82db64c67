#include "uninstall/ImageAssociations.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include <shlobj.h>
#include <cstring>
#include <string>

const char* const imageExtensionTable[] = {
    ".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif", ".tiff", ".png", ".cmp", ".tga", ".wpg",
};
const size_t imageExtensionCount = sizeof imageExtensionTable / sizeof imageExtensionTable[0];

namespace {

// Values are read into buffers of this size, terminating zero included.
constexpr DWORD kValueBufferSize = 512;

// Where the opening programs are recorded, and the value that names each one.
struct AssociationRoot {
    ScopedRegKey key;
    const char* valueName = nullptr; // null: the extension key's default value
};

bool openAssociationRoot(AssociationRoot& root)
{
    if (RegOpenKeyExA(HKEY_CURRENT_USER, contract::kFileExtsKey, 0, KEY_ALL_ACCESS, root.key.Receive()) ==
        ERROR_SUCCESS) {
        root.valueName = contract::kOpenWithValue;
        return true;
    }
    root.valueName = nullptr;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, "", 0, KEY_ALL_ACCESS, root.key.Receive()) == ERROR_SUCCESS;
}

// The value's text; false when it cannot be read, is empty, or does not fit the buffer. A
// registry string need not end in a zero byte, so one that fills the buffer without it is taken
// as too long: a cut copy written back later would name a program that does not exist.
bool readValueText(HKEY key, const char* name, std::string& text)
{
    char buffer[kValueBufferSize];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (size == sizeof buffer && buffer[size - 1] != '\0')
        return false;
    text.assign(buffer, strnlen(buffer, size));
    return !text.empty();
}

bool namesApplication(const std::string& text)
{
    return text.find(contract::kAppExe) != std::string::npos;
}

// The text the application replaced, when the extension is the application's now. A saved text
// that names the application itself (the application took the type over twice) is no earlier
// owner: restoring it would leave the type opening a program that is about to be removed.
std::string savedOwner(HKEY root, const char* extension, const char* valueName)
{
    ScopedRegKey key;
    if (RegOpenKeyExA(root, extension, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return std::string();
    std::string current, saved;
    if (!readValueText(key.Get(), valueName, current) || !namesApplication(current))
        return std::string();
    if (!readValueText(key.Get(), contract::kPreviousOwnerValue, saved) || namesApplication(saved))
        return std::string();
    return saved;
}

// Gives the extension back when it still names the application; true when it did.
bool restoreExtension(HKEY root, const char* extension, const char* valueName, const std::string& saved)
{
    ScopedRegKey key;
    if (RegOpenKeyExA(root, extension, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return false;
    std::string current;
    if (!readValueText(key.Get(), valueName, current) || !namesApplication(current))
        return false;
    if (saved.empty()) {
        RegDeleteValueA(key.Get(), valueName);
    } else {
        RegSetValueExA(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved.c_str()),
                       static_cast<DWORD>(saved.size() + 1));
    }
    RegDeleteValueA(key.Get(), contract::kPreviousOwnerValue);
    return true;
}

} // namespace

bool restoreImageAssociations()
{
    AssociationRoot root;
    if (!openAssociationRoot(root))
        return false;
    // Every saved text is read before anything is written back.
    std::string saved[sizeof imageExtensionTable / sizeof imageExtensionTable[0]];
    for (size_t i = 0; i < imageExtensionCount; i++)
        saved[i] = savedOwner(root.key.Get(), imageExtensionTable[i], root.valueName);
    bool changed = false;
    for (size_t i = 0; i < imageExtensionCount; i++) {
        if (restoreExtension(root.key.Get(), imageExtensionTable[i], root.valueName, saved[i]))
            changed = true;
    }
    if (changed)
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return changed;
}
