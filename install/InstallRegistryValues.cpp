#include "install/InstallRegistryValues.h"
#include "app/SetupSettings.h"
#include "framework/WinApp.h"
#include "install/Registry.h"
#include "res/resource.h"
#include "support/AppContract.h"
#include <string>

namespace {

// "AllUsers": "B" for all users, "A" for the current user, as the install driver reads it back.
constexpr const char* kAllUsersScope = "B";
constexpr const char* kCurrentUserScope = "A";
// Fixed texts of the installed-programs entry, not derived from the installed files.
constexpr const char* kContact = "Support";
constexpr const char* kDisplayVersion = "5";
constexpr const char* kQuietSwitch = " -s";

void writeMachineValue(const char* key, const char* name, const std::string& text)
{
    writeRegistryString(HKEY_LOCAL_MACHINE, key, text, name);
}

std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace

void writeInstallRegistryValues()
{
    const std::string& dir = setupSettings.installDir;
    const std::string uninstaller = dir + "\\" + contract::kUninstallerExe;
    const std::string application = dir + "\\" + contract::kAppExe;
    writeMachineValue(contract::kProductKey, "AllUsers", setupSettings.allUsers ? kAllUsersScope : kCurrentUserScope);
    writeMachineValue(contract::kProductKey, "Path", dir);
    writeMachineValue(contract::kAppPathKey, nullptr, application);

    const char* entry = contract::kUninstallEntryKey;
    writeMachineValue(entry, "Contact", kContact);
    writeMachineValue(entry, "DisplayName", AfxLoadString(IDS_PRODUCT_NAME));
    writeMachineValue(entry, "DisplayVersion", kDisplayVersion);
    writeMachineValue(entry, "Publisher", contract::kPublisher);
    // Quoted: unquoted, a path with spaces ("C:\Program Files\...") lets the system try to start
    // "C:\Program.exe" first.
    writeMachineValue(entry, "UninstallString", quoted(uninstaller));
    writeMachineValue(entry, "URLInfoAbout", contract::kVendorSite);
    // What deployment tools and the installed-programs list also look for: a silent uninstall,
    // the installation's place and its icon.
    writeMachineValue(entry, "QuietUninstallString", quoted(uninstaller) + kQuietSwitch);
    writeMachineValue(entry, "InstallLocation", dir);
    writeMachineValue(entry, "DisplayIcon", application);
}
