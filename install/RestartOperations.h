// Work left for the next restart of the system: a file deleted, or a file renamed into place.
// Requests go to the system's pending operations; where it refuses them, to the "rename" section
// of "WININIT.INI", which the older systems read at start-up. Requests run in the order made.
#pragma once
#include <string>

bool scheduleDeleteAtRestart(const std::string& path);
// Neither service replaces an existing file: the destination must be gone (deleted by an earlier
// request) when the rename runs.
bool scheduleRenameAtRestart(const std::string& existingPath, const std::string& newPath);

// The fallback writer: appends "destination=source" as the last entry of the "rename" section
// (destination "NUL" deletes the source). The profile functions find a file named without a path
// in the Windows directory. False when the entry does not fit or the section cannot be written.
constexpr const char* kWininitFile = "WININIT.INI";
bool addRestartIniEntry(const std::string& destination, const std::string& source,
                        const char* iniFile = kWininitFile);
