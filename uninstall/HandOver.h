// The pieces of the uninstaller's hand-over to its temporary copy that need no second process.
#pragma once
#include <string>

// The argument as the copy's command line must carry it: in double quotes when it holds a space
// or a tab (the run-time library's exec joins the arguments with spaces and quotes nothing).
std::string quotedArgument(const std::string& argument);

// The drive and directory of the uninstaller's path, with the directory's trailing backslash.
std::string uninstallerDirectory(const std::string& uninstallerPath);

// Deletes the uninstaller file, waiting a few seconds at most while it is still held. True when
// it is gone.
bool deleteUninstallerFile(const std::string& uninstallerPath);
