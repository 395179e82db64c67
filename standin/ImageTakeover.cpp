#include "standin/ImageTakeover.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include <windows.h>
#include <cstring>
#include <string>

namespace {

// The value's text; false when it is missing or not a string.
bool readString(HKEY key, const char* name, std::string& text)
{
    char buffer[512];
    DWORD type = 0;
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    buffer[size] = '\0';
    text = buffer;
    return true;
}

bool writeString(HKEY key, const char* name, const std::string& text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

// The key that holds the extension's opening program and the name of that value.
bool openOpeningProgramKey(const char* extension, ScopedRegKey& key, const char*& valueName)
{
    std::string perUser = std::string(contract::kFileExtsKey) + "\\" + extension;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, perUser.c_str(), 0, KEY_READ | KEY_WRITE, key.Receive()) == ERROR_SUCCESS) {
        valueName = contract::kOpenWithValue;
        return true;
    }
    valueName = nullptr;
    return RegCreateKeyExA(HKEY_CLASSES_ROOT, extension, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                           key.Receive(), nullptr) == ERROR_SUCCESS;
}

} // namespace

bool takeOverExtension(const char* extension)
{
    ScopedRegKey key;
    const char* valueName = nullptr;
    if (!openOpeningProgramKey(extension, key, valueName))
        return false;
    std::string previous;
    bool hadPrevious = readString(key.Get(), valueName, previous) && !previous.empty();
    // Taken over already: keeping our own text as the previous owner would lose the real one.
    if (hadPrevious && previous.find(contract::kAppExe) != std::string::npos)
        return true;
    if (hadPrevious && !writeString(key.Get(), contract::kPreviousOwnerValue, previous))
        return false;
    return writeString(key.Get(), valueName, contract::kAppExe);
}
