#include "app/InstallDriver.h"
#include "app/SetupSettings.h"

BOOL runInstallDriver()
{
    return FALSE; // not built yet: the install driver comes with the wizard
}

std::string findInstalledDir() { return std::string(); }
std::string programFilesDir() { return std::string(); }
std::string setupSourceDir() { return std::string(); }
void readFileVersion(const std::string&) {}
