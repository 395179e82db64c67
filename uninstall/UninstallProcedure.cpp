#include "uninstall/UninstallProcedure.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include "uninstall/FixedShortcuts.h"
#include "uninstall/LogReplay.h"
#include <windows.h>
#include <cctype>

namespace {

// A drive path ("C:\...") or a network path ("\\server\share..."). The file steps resolve a
// relative directory against the working directory, which they move to the drive's root half-way,
// so they would act on two different places.
bool isFullPath(const std::string& dir)
{
    bool drive = dir.size() >= 3 && isalpha(static_cast<unsigned char>(dir[0])) && dir[1] == ':' && dir[2] == '\\';
    bool network = dir.size() >= 3 && dir[0] == '\\' && dir[1] == '\\';
    return drive || network;
}

// Undoes both logs, the earlier one first: shortcuts and group folders, then files and the
// package's directories; the installed log itself goes last.
void removeInstalledFiles(const std::string& installDir)
{
    std::string oldLog = joinPath(installDir, contract::kOldLogFile);
    std::string log = joinPath(installDir, contract::kLogFile);
    replayLinkAndDirLines(oldLog);
    replayLinkAndDirLines(log);
    replayFileLines(oldLog, installDir);
    replayFileLines(log, installDir);
    deleteMatchingFiles(contract::kLogFile, installDir);
    // A process cannot remove its own working directory; the uninstaller's copy may have
    // inherited the installation directory as its working directory.
    SetCurrentDirectoryA("\\");
    RemoveDirectoryA(installDir.c_str());
}

} // namespace

void uninstallProduct(const std::string& installDirWithBackslash)
{
    removeProductRegistry();
    restoreImageAssociations();
    if (isFullPath(installDirWithBackslash))
        removeInstalledFiles(joinPath(installDirWithBackslash, ""));
    removeFixedShortcutsOfAllUsers();
    removeFixedShortcutsOfEveryUser();
}
