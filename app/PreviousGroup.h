// The program group of an earlier installation, taken from the shortcuts its log recorded.
#pragma once
#include <string>

// The group that the last fitting "Shell Link: " line of the log names, relative to the Programs
// folder; lines below the Startup folder, and shortcuts outside the Programs folder (the
// desktop), are skipped. False when no line fits or the log cannot be read; group is then
// left as it was. Both folders are compared without regard to letter case.
bool groupFromLog(const std::string& logPath, const std::string& programsFolder,
                  const std::string& startupFolder, std::string& group);

// Sets groupName from the installed log of installDir (or the older "install.log"), against the
// Programs and Startup folders of the scope in allUsers.
void readPreviousGroup();
