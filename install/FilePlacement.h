// Placing the product's files: the source-list replay and the copies, with the in-use path that
// moves a busy file aside or has the system swap in the new copy at the next restart.
#pragma once
#include "install/RestartOperations.h"
#include <string>

// Replays the list's "Make Dir: ", "File Copy: " and (on 64-bit Windows) "File Copy x64: " lines
// from setupSettings.sourceDir into setupSettings.installDir, in file order. Entries whose target
// is not a safe relative path are skipped.
void replaySourceList(const std::string& sourceListPath);
// Copies every match of the pattern from sourceDir into targetDir; the number copied. Stops at
// the first match that cannot be copied (a directory among them).
int copyMatchingFiles(const std::string& pattern, const std::string& targetDir, const std::string& sourceDir);
// Copies one file; a null targetName keeps the name. True when the file is in place now (or
// there was nothing to do); false when the source is missing or the new content has to wait for
// the next restart.
bool copyOneFile(const std::string& name, const std::string& sourceDir, const std::string& targetDir,
                 const char* targetName = nullptr);
// True on 64-bit Windows, whether this is a 32-bit process under WOW64 or a 64-bit process.
bool runningOnWow64();

// True once a copy of this run has been left for the next restart to put in place.
bool restartRequired();
