#include "uninstall/UserHives.h"
#include "support/Scoped.h"

void forEachLoadedUserHive(const std::function<void(HKEY userKey)>& visit)
{
    char name[512];
    for (DWORD index = 0; RegEnumKeyA(HKEY_USERS, index, name, sizeof name) == ERROR_SUCCESS; index++) {
        ScopedRegKey user;
        if (RegOpenKeyExA(HKEY_USERS, name, 0, KEY_ALL_ACCESS, user.Receive()) == ERROR_SUCCESS)
            visit(user.Get());
    }
}
