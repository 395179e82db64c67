// Placing the product's files: the source-list replay and the copies, with the in-use path that
// moves a busy file aside or has the system swap in the new copy at the next restart.
#pragma once
#include <string>

void replaySourceList(const std::string& sourceListPath);
// Copies every match of the pattern from sourceDir into targetDir; the number copied.
int copyMatchingFiles(const std::string& pattern, const std::string& targetDir, const std::string& sourceDir);
// Copies one file; a null targetName keeps the name. True when the file is in place now.
bool copyOneFile(const std::string& name, const std::string& sourceDir, const std::string& targetDir,
                 const char* targetName = nullptr);
bool runningOnWow64();
bool scheduleDeleteAtRestart(const std::string& path);
bool scheduleRenameAtRestart(const std::string& existingPath, const std::string& newPath);

// True once a copy of this run has been left for the next restart to put in place.
bool restartRequired();
