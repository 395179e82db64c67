#include "support/SystemDll.h"
#include "support/Scoped.h"
#include <string>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

// DLLs that system DLLs load by bare name on demand (themes, version information, profiles,
// shell properties...). Where the loader resolves such a dependency through the application's
// folder (older systems, and Wine), a planted copy would be taken. Loading each from the system
// folder first means every later request by name finds the one already loaded.
const char* const kPreloadedSystemDlls[] = {
    "uxtheme.dll", "version.dll", "userenv.dll", "profapi.dll", "propsys.dll",
    "dwmapi.dll",  "cryptbase.dll", "winmm.dll", "shfolder.dll",
};

} // namespace

void restrictDllSearchToSystem()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto setDefault = procAddress<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // Older systems: at least take the current directory out of the search order.
        SetDllDirectoryA("");
    }
    // Kept loaded for the life of the process on purpose.
    for (const char* name : kPreloadedSystemDlls)
        loadSystemLibrary(name);
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
