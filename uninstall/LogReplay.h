// Removal primitives shared by the uninstall and by an installation's clean-up of an earlier
// one: undoing install-log lines, deleting files by pattern, deleting registry trees.
#pragma once
#include "uninstall/LogReplayRegistry.h"
#include <string>

// Deletes the logged shortcuts ("Shell Link: ", only names ending in ".lnk"), then removes each
// logged group folder ("Made Dir: ") and its parents while they are empty.
void replayLinkAndDirLines(const std::string& logPath);

// Deletes the files the log's file lines name (relative to baseDir), then removes the "Make Dir: "
// directories that are empty, last line first. A non-null singlePrefix replaces the four file
// prefixes. Names that are not safe relative paths are skipped.
void replayFileLines(const std::string& logPath, const std::string& baseDir, const char* singlePrefix = nullptr);

// Deletes every file matching the pattern in the directory (not in subfolders), read-only and
// hidden ones included.
void deleteMatchingFiles(const std::string& pattern, const std::string& dir);
