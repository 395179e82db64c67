// Registry removal for the uninstall: whole key trees, and keys left without subkeys.
#pragma once
#include <windows.h>

// Deletes the subkey with all its subkeys; true when the subkey itself was deleted. A subkey
// that cannot be deleted is passed over, and its parents then stay.
bool deleteRegistryTree(HKEY key, const char* subkey);

// Deletes the subkey only when it has no subkeys left (values do not count).
void deleteKeyIfNoSubkeys(HKEY key, const char* subkey);
