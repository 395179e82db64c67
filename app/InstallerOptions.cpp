#include "app/InstallerOptions.h"
#include "app/SetupSettings.h"
#include "support/Paths.h"
#include <cstring>

namespace {

void takeInstallDirOption(const char* path)
{
    std::string dir = path;
    if (dir.empty() || !pathExists(dir)) {
        setupSettings.installDir.clear();
        return;
    }
    if (dir.back() == '\\' || dir.back() == '/')
        dir.pop_back();
    setupSettings.installDir = dir;
}

} // namespace

void readInstallerOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (strcmp(arg, "-instdir") == 0 && i + 1 < argc)
            takeInstallDirOption(argv[i + 1]);
        else if (equalsNoCase(arg, "-runafter"))
            setupSettings.runAfter = 1;
        else if (equalsNoCase(arg, "-allusers"))
            setupSettings.allUsers = 1;
        else if (equalsNoCase(arg, "-autostart"))
            setupSettings.autoStart = 1;
        else if (equalsNoCase(arg, "-nodeskico"))
            setupSettings.desktopIcon = 0;
    }
}
