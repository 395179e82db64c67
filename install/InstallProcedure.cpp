#include "install/InstallProcedure.h"
#include "app/SetupSettings.h"
#include "framework/WinApp.h"
#include "install/DirectoryLevels.h"
#include "install/FilePlacement.h"
#include "install/InstallLog.h"
#include "install/InstallRegistryValues.h"
#include "install/Registry.h"
#include "install/Shortcuts.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include "uninstall/LogReplay.h"

namespace {

// The application's shortcuts start it in the user's application-data folder; the shell expands
// the variable when the shortcut is used, so it is stored unexpanded.
constexpr const char* kAppWorkingDir = "%APPDATA%";
constexpr const char* kShortcutExtension = ".lnk";
constexpr const char* kPackageVariable = "sfxname";
// An all-users Programs folder shorter than this is missing or holds no usable path.
constexpr size_t kMinProgramsFolderLength = 4;

std::string inInstallDir(const char* fileName)
{
    return setupSettings.installDir + "\\" + fileName;
}

std::string installedLogPath()
{
    return inInstallDir(contract::kLogFile);
}

std::string sourceListPath()
{
    return setupSettings.sourceDir + "\\" + contract::kLogFile;
}

// Shortcuts and group folder of the earlier installation's logs, then the files the new package
// marks as obsolete ("File Del: ") and the listed directories that are empty now.
void cleanUpEarlierInstallation()
{
    replayLinkAndDirLines(inInstallDir(contract::kOldLogFile));
    replayLinkAndDirLines(installedLogPath());
    replayFileLines(sourceListPath(), setupSettings.installDir, logprefix::kFileDel);
}

// The source list's "Make Dir: " lines create one level each below the installation directory,
// so the directory itself and its missing parents are made first.
void placeFiles()
{
    createDirectoryPath(setupSettings.installDir);
    replaySourceList(sourceListPath());
}

// The installed log is the source list followed by an empty line, which also gives the setup's
// first line a line of its own when the list's last line has no line break.
void writeInstalledLog()
{
    copyMatchingFiles(contract::kLogFile, setupSettings.installDir, setupSettings.sourceDir);
    appendLogLine(installedLogPath(), "");
}

std::string chooseProgramsFolder()
{
    std::string programs;
    if (setupSettings.allUsers) {
        programs = lookupShellFolder(ShellFolder::Programs, true);
        if (programs.size() < kMinProgramsFolderLength)
            setupSettings.allUsers = 0;
    }
    if (!setupSettings.allUsers)
        programs = lookupShellFolder(ShellFolder::Programs, false);
    return programs;
}

std::string shortcutPath(const std::string& folder, UINT nameId)
{
    return folder + "\\" + AfxLoadString(nameId) + kShortcutExtension;
}

// The group folder G, logged whether or not it could be made; empty when there is no Programs
// folder to put it in (a group built from an empty folder value would land at the drive root).
std::string makeProgramGroup(const std::string& programs)
{
    normalizeSubPath(setupSettings.groupName);
    if (programs.empty())
        return std::string();
    createIntermediateLevels(programs, setupSettings.groupName);
    std::string group = programs + "\\" + setupSettings.groupName;
    CreateDirectoryA(group.c_str(), nullptr);
    appendLogLine(installedLogPath(), std::string(logprefix::kMadeDir) + group);
    return group;
}

void createGroupShortcuts(const std::string& group)
{
    if (group.empty() || !pathExists(group))
        return;
    createShortcut(inInstallDir(contract::kAppExe), shortcutPath(group, IDS_PRODUCT_NAME), kAppWorkingDir);
    createShortcut(inInstallDir(contract::kHelpFile), shortcutPath(group, IDS_HELP_SHORTCUT), nullptr);
    createShortcut(inInstallDir(contract::kReadmeFile), shortcutPath(group, IDS_README_SHORTCUT), nullptr);
    createShortcut(inInstallDir(contract::kUninstallerExe), shortcutPath(group, IDS_UNINSTALL_SHORTCUT), nullptr);
}

// The application's shortcut in the Desktop or Startup folder of the chosen scope.
void createAppShortcutIn(ShellFolder folder)
{
    std::string path = lookupShellFolder(folder, setupSettings.allUsers != 0);
    if (path.empty())
        return; // no folder recorded: the shortcut would land at the drive root
    createShortcut(inInstallDir(contract::kAppExe), shortcutPath(path, IDS_PRODUCT_NAME), kAppWorkingDir);
}

// A self-extracting package names itself in "sfxname"; a settings file beside it is pre-set.
void copyPresetSettings()
{
    char package[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA(kPackageVariable, package, sizeof package);
    if (n == 0 || n >= sizeof package)
        return;
    std::string dir = parentDirectory(package);
    if (!dir.empty())
        copyOneFile(contract::kSettingsFile, dir, setupSettings.installDir);
}

} // namespace

int installProduct()
{
    if (!setupSettings.freshInstall)
        cleanUpEarlierInstallation();
    placeFiles();
    writeInstalledLog();
    std::string group = makeProgramGroup(chooseProgramsFolder());
    createGroupShortcuts(group);
    if (setupSettings.desktopIcon)
        createAppShortcutIn(ShellFolder::Desktop);
    if (setupSettings.autoStart)
        createAppShortcutIn(ShellFolder::Startup);
    writeInstallRegistryValues();
    copyPresetSettings();
    return 0;
}
