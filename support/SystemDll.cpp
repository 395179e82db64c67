#include "support/SystemDll.h"
#include "support/Scoped.h"
#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

void restrictDllSearchToSystem()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto setDefault = procAddress<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Older systems: at least take the current directory out of the search order.
    SetDllDirectoryA("");
}

HMODULE loadSystemLibrary(const char* fileName)
{
    char dir[MAX_PATH];
    UINT n = GetSystemDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir)
        return nullptr;
    std::string path = std::string(dir) + "\\" + fileName;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
