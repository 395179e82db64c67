#include "uninstall/LogReplayRegistry.h"
#include "support/Scoped.h"

namespace {

constexpr DWORD kKeyNameBufferSize = 512;

} // namespace

bool deleteRegistryTree(HKEY key, const char* subkey)
{
    // An empty name would open and empty the key itself.
    if (!subkey || !*subkey)
        return false;
    ScopedRegKey opened;
    if (RegOpenKeyExA(key, subkey, 0, KEY_ALL_ACCESS, opened.Receive()) == ERROR_SUCCESS) {
        char name[kKeyNameBufferSize];
        DWORD index = 0;
        // After a deletion the remaining names move up by one, so the same index is read again;
        // a subkey that stays is stepped over, so the enumeration always ends.
        while (RegEnumKeyA(opened.Get(), index, name, kKeyNameBufferSize) == ERROR_SUCCESS) {
            if (!deleteRegistryTree(opened.Get(), name))
                index++;
        }
        opened.Close();
    }
    return RegDeleteKeyA(key, subkey) == ERROR_SUCCESS;
}

void deleteKeyIfNoSubkeys(HKEY key, const char* subkey)
{
    if (!subkey || !*subkey)
        return;
    ScopedRegKey opened;
    if (RegOpenKeyExA(key, subkey, 0, KEY_ALL_ACCESS, opened.Receive()) != ERROR_SUCCESS)
        return;
    char name[kKeyNameBufferSize];
    bool hasSubkeys = RegEnumKeyA(opened.Get(), 0, name, kKeyNameBufferSize) == ERROR_SUCCESS;
    opened.Close();
    if (!hasSubkeys)
        RegDeleteKeyA(key, subkey);
}
