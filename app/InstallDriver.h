// The install driver: from the run mode to the end of an installation.
#pragma once
#include <windows.h>
#include <string>

// TRUE when the user stopped the installation, FALSE when it ran to its end. Damaged setup files
// end the process with exit code 1.
BOOL runInstallDriver();

std::string findInstalledDir();
std::string programFilesDir();
std::string setupSourceDir();
// Fills the four version fields of the settings record from the file, or sets them to 0.
void readFileVersion(const std::string& path);
