// The start-up's reading of the command line. A switch matches only a whole argument; "-delself"
// compares exactly, the others without regard to ASCII letter case. Argument 0 is the program.
#pragma once
#include <string>

// "-s" anywhere from argument 1 on: no wizard, no confirmations, no final messages.
bool silentRequested(int argc, const char* const* argv);

// Argument 1 is "-delself" and argument 2 follows: the temporary copy's removal phase.
bool selfRemovalRequested(int argc, const char* const* argv);

// Argument 2 of the removal phase names the uninstaller to delete and the directory to remove: it
// must be the full path (drive or UNC) of an existing file, never a switch or a relative name.
bool isUninstallerPath(const char* path);

// Argument 1 is "-install", or the running file's full path contains "setup.exe" (any case,
// directory part included).
bool installModeRequested(int argc, const char* const* argv, const std::string& modulePath);

// "/s" or "-s" from argument 2 on: install without asking about running instances.
bool instanceQuestionSkipped(int argc, const char* const* argv);
