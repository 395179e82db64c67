#include "install/Registry.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include <cstring>

std::string readRegistryString(HKEY root, const char* path, const char* name)
{
    char buffer[260] = "";
    ScopedRegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS) {
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size)
            != ERROR_SUCCESS)
            buffer[0] = '\0'; // a failed query may have left bytes behind
    }
    // The value need not be zero-terminated: never read past the buffer.
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

bool writeRegistryString(HKEY root, const char* path, const std::string& text, const char* name)
{
    ScopedRegKey key;
    if (RegCreateKeyA(root, path, key.Receive()) != ERROR_SUCCESS)
        return false;
    // A REG_SZ size counts the terminating zero.
    return RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::string lookupShellFolder(ShellFolder folder, bool allUsers)
{
    static const char* const userValues[] = {"Programs", "Desktop", "Startup"};
    static const char* const commonValues[] = {"Common Programs", "Common Desktop", "Common Startup"};
    int index = static_cast<int>(folder);
    if (allUsers)
        return readRegistryString(HKEY_LOCAL_MACHINE, contract::kShellFoldersKey, commonValues[index]);
    return readRegistryString(HKEY_CURRENT_USER, contract::kShellFoldersKey, userValues[index]);
}
