// The uninstaller's removal of itself: a temporary copy finishes the uninstall.
#pragma once
#include <string>

// Starts the temporary copy with "-delself" and this file's path, and ends this process.
// Returns only when the copy could not be started.
void startTempUninstaller();

// In the temporary copy: removes the installation of the uninstaller's directory and ends the
// process with exit code 0.
void selfRemovalPhase(const std::string& uninstallerPath);
