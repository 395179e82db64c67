#include "uninstall/ProductRegistry.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include "uninstall/LogReplay.h"
#include "uninstall/UserHives.h"

namespace {

// The vendor key goes only once no other product of the maker keeps a key in it.
void removeProductKeys(HKEY root)
{
    deleteRegistryTree(root, contract::kProductKey);
    deleteKeyIfNoSubkeys(root, contract::kVendorKey);
}

// RegDeleteKeyA takes the key's values with it; these entries hold values only.
void deleteEntryUnder(const char* parentPath, const char* entryName)
{
    ScopedRegKey parent;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parentPath, 0, KEY_ALL_ACCESS, parent.Receive()) == ERROR_SUCCESS)
        RegDeleteKeyA(parent.Get(), entryName);
}

} // namespace

void removeProductRegistry()
{
    removeProductKeys(HKEY_LOCAL_MACHINE);
    removeProductKeys(HKEY_CURRENT_USER);
    forEachLoadedUserHive(removeProductKeys);
    deleteRegistryTree(HKEY_CLASSES_ROOT, contract::kDocumentClass);
    deleteEntryUnder(contract::kUninstallListKey, contract::kProductName);
    deleteEntryUnder(contract::kAppPathsKey, contract::kAppExe);
}
