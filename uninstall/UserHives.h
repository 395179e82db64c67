// The registry hives of the user profiles that are loaded: the subkeys of HKEY_USERS.
#pragma once
#include <windows.h>
#include <functional>

// Calls visit with each subkey of HKEY_USERS that opens with full access, from index 0 upwards
// until the enumeration fails. A subkey that does not open is passed over.
void forEachLoadedUserHive(const std::function<void(HKEY userKey)>& visit);
