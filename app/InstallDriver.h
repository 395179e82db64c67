// The install driver: from the run mode to the end of an installation.
#pragma once
#include "app/FileVersion.h"
#include <windows.h>
#include <string>

// TRUE when the user stopped the installation (declined the version question or cancelled the
// wizard), FALSE when it ran to its end. Damaged setup files end the process with exit code 1.
BOOL runInstallDriver();
// The same with the arguments given: argument 0 is the program itself.
BOOL runInstallDriver(int argc, char** argv);

// The existing installation's directory without trailing backslash; empty when none is
// registered.
std::string findInstalledDir();
// The Program Files directory without trailing backslash.
std::string programFilesDir();
// The directory of the running executable, without trailing backslash.
std::string setupSourceDir();

// Steps of the driver that tests reach one at a time.

// installDir from the options or under Program Files, plus "\Lumetra 6"; freshInstall set.
void chooseFreshInstallDir(int argc, char** argv);
// Version of the installation in installDir against the package's; asks when the package is not
// newer (unless silent). Takes scope and group of the existing installation. FALSE when the
// user declined.
BOOL checkExistingInstallation();
// True when the package lacks a readable application version or its source list.
bool setupFilesDamaged();
// Starts installDir\LmtCap6.exe without waiting; it inherits the working directory.
bool startInstalledApplication();
