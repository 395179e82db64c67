// The uninstaller's removal of itself. A running program file cannot be deleted, so the
// uninstaller hands over to a temporary copy of itself, which removes the installation, the
// uninstaller file included, and leaves its own file to the next restart.
#pragma once
#include <string>

// Starts the temporary copy with "-delself", this file's path and, when silent, "-s", and ends
// this process. Returns only when the copy could not be made or started.
void startTempUninstaller();

// In the temporary copy, given the full path of the uninstaller file: removes the installation
// of the uninstaller's directory and ends the process with exit code 0.
void selfRemovalPhase(const std::string& uninstallerPath);
