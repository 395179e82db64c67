#include "uninstall/HandOver.h"
#include <windows.h>
#include <cstdlib>

namespace {

// On a busy machine the system may release the ended process's image file later; the deletion is
// tried again for up to five more seconds before the uninstall goes on without it.
constexpr int kDeleteRetries = 20;
constexpr DWORD kDeleteRetryDelayMs = 250;

} // namespace

std::string quotedArgument(const std::string& argument)
{
    if (argument.find_first_of(" \t") == std::string::npos)
        return argument;
    return "\"" + argument + "\"";
}

std::string uninstallerDirectory(const std::string& uninstallerPath)
{
    char drive[_MAX_DRIVE] = "";
    char dir[_MAX_DIR] = "";
    _splitpath(uninstallerPath.c_str(), drive, dir, nullptr, nullptr);
    return std::string(drive) + dir;
}

bool deleteUninstallerFile(const std::string& uninstallerPath)
{
    for (int attempt = 0;; attempt++) {
        if (DeleteFileA(uninstallerPath.c_str()))
            return true;
        DWORD error = GetLastError();
        // Only a file still held is worth waiting for; a missing file or a bad path stays so.
        bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (!held || attempt == kDeleteRetries)
            return false;
        Sleep(kDeleteRetryDelayMs);
    }
}
