#include "app/InstallDriver.h"
#include "app/ExitCodes.h"
#include "app/InstallerOptions.h"
#include "app/NotificationPage.h"
#include "app/PreviousGroup.h"
#include "app/SetupSettings.h"
#include "app/WebAddress.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "install/InstallProcedure.h"
#include "install/Registry.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include "support/Scoped.h"
#include "wizard/SetupDlg.h"
#include <cstdio>
#include <cstdlib>

namespace {

std::string withoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

bool fileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string formatMessage(UINT id, const FileVersion& first, const FileVersion* second)
{
    std::string format = AfxLoadString(id);
    char text[1024];
    if (second)
        snprintf(text, sizeof text, format.c_str(), int(first.major), int(first.minor), int(first.build),
                 int(first.revision), int(second->major), int(second->minor), int(second->build),
                 int(second->revision));
    else
        snprintf(text, sizeof text, format.c_str(), int(first.major), int(first.minor), int(first.build),
                 int(first.revision));
    return text;
}

// Yes/No about installing over an installation that is as new as the package, or newer.
bool confirmReinstall(const FileVersion& installed, const FileVersion& package)
{
    std::string text = compareVersions(installed, package) > 0
                           ? formatMessage(IDS_OLDER_VERSION, installed, &package)
                           : formatMessage(IDS_SAME_VERSION, package, nullptr);
    return AfxMessageBox(text.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

[[noreturn]] void abortDamagedSetup()
{
    AfxMessageBox(IDS_DAMAGED_FILES, MB_OK | MB_ICONERROR);
    openWebAddress(contract::kVendorSite);
    exit(kExitDamagedSetup);
}

// The wizard, the application's main window while it runs. FALSE when it was not finished.
BOOL runWizard()
{
    CSetupDlg dlg;
    CWinApp* app = AfxGetApp();
    if (app)
        app->m_pMainWnd = &dlg;
    INT_PTR result = dlg.DoModal();
    if (app && app->m_pMainWnd == &dlg)
        app->m_pMainWnd = nullptr;
    return result == IDOK;
}

BOOL install()
{
    if (setupSettings.silent) {
        // A silent fresh installation is always for all users.
        if (setupSettings.freshInstall)
            setupSettings.allUsers = 1;
        installProduct();
        return TRUE;
    }
    return runWizard();
}

} // namespace

std::string findInstalledDir()
{
    std::string dir = readRegistryString(HKEY_LOCAL_MACHINE, contract::kProductKey, "Path");
    if (dir.empty()) {
        std::string appPath = readRegistryString(HKEY_LOCAL_MACHINE, contract::kAppPathKey);
        size_t pos = appPath.find(std::string("\\") + contract::kAppExe);
        if (pos != std::string::npos)
            dir = appPath.substr(0, pos);
    }
    return withoutTrailingBackslash(dir);
}

std::string programFilesDir()
{
    std::string dir = readRegistryString(HKEY_LOCAL_MACHINE, contract::kCurrentVersionKey, "ProgramFilesDir");
    if (dir.empty()) {
        char windows[MAX_PATH] = "";
        UINT n = GetWindowsDirectoryA(windows, sizeof windows);
        dir.assign(windows, n < sizeof windows ? n : 0);
        size_t backslash = dir.find('\\');
        if (backslash != std::string::npos)
            dir.resize(backslash + 1);
        dir += "Program Files";
    }
    return withoutTrailingBackslash(dir);
}

std::string setupSourceDir()
{
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string module(path, n < sizeof path ? n : 0);
    int backslash = lastBackslash(module);
    return backslash < 0 ? std::string() : module.substr(0, backslash);
}

void chooseFreshInstallDir(int argc, char** argv)
{
    readInstallerOptions(argc, argv);
    if (setupSettings.installDir.empty())
        setupSettings.installDir = programFilesDir();
    // "-instdir" names the parent: the product always gets a folder of its own.
    setupSettings.installDir += std::string("\\") + contract::kProductName;
    setupSettings.freshInstall = 1;
}

BOOL checkExistingInstallation()
{
    readFileVersion(joinPath(setupSettings.installDir, contract::kAppExe));
    FileVersion installed = settingsVersion();
    readFileVersion(joinPath(setupSettings.sourceDir, contract::kAppExe));
    FileVersion package = settingsVersion();

    if (setupSettings.silent || compareVersions(installed, package) < 0)
        setupSettings.upgrade = 1;
    else if (!confirmReinstall(installed, package))
        return FALSE;

    setupSettings.allUsers = readRegistryString(HKEY_LOCAL_MACHINE, contract::kProductKey, "AllUsers") == "B";
    readPreviousGroup();
    return TRUE;
}

bool setupFilesDamaged()
{
    return setupSettings.versionMajor == 0 ||
           !fileExists(joinPath(setupSettings.sourceDir, contract::kLogFile));
}

bool startInstalledApplication()
{
    std::string path = joinPath(setupSettings.installDir, contract::kAppExe);
    // Argument 0 only: the application's own path, quoted because it may hold blanks.
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    ScopedKernelHandle processHandle(process.hProcess);
    ScopedKernelHandle threadHandle(process.hThread);
    return true;
}

BOOL runInstallDriver()
{
    return runInstallDriver(__argc, __argv);
}

BOOL runInstallDriver(int argc, char** argv)
{
    setupSettings.installDir = findInstalledDir();
    setupSettings.sourceDir = setupSourceDir();
    if (setupSettings.installDir.empty())
        chooseFreshInstallDir(argc, argv);
    setupSettings.groupName = contract::kProductName;

    if (!setupSettings.freshInstall) {
        if (!checkExistingInstallation())
            return TRUE;
    } else {
        readFileVersion(joinPath(setupSettings.sourceDir, contract::kAppExe));
    }
    if (setupFilesDamaged())
        abortDamagedSetup();

    if (!install())
        return TRUE;

    // From here on the installation directory is the working directory, also of the
    // application started below.
    SetCurrentDirectoryA(setupSettings.installDir.c_str());
    if (!setupSettings.silent && (setupSettings.freshInstall || setupSettings.upgrade))
        installNotificationPage();
    if (setupSettings.runAfter)
        startInstalledApplication();
    return FALSE;
}
