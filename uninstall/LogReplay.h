// Removal primitives shared by the uninstall and by an installation's clean-up of an earlier
// one: undoing install-log lines, deleting files by pattern, deleting registry trees.
#pragma once
#include <windows.h>
#include <string>

// Deletes the logged shortcuts ("Shell Link: "), then removes each logged group folder
// ("Made Dir: ") and its parents while they are empty.
void replayLinkAndDirLines(const std::string& logPath);

// Deletes the files the log's file lines name (relative to baseDir), then removes the "Make Dir: "
// directories that are empty. A non-null singlePrefix replaces the four file prefixes.
void replayFileLines(const std::string& logPath, const std::string& baseDir, const char* singlePrefix = nullptr);

// Deletes every file matching the pattern in the directory (not in subfolders), read-only and
// hidden ones included.
void deleteMatchingFiles(const std::string& pattern, const std::string& dir);

// Deletes the subkey with all its subkeys; true when the subkey itself was deleted.
bool deleteRegistryTree(HKEY key, const char* subkey);

// Deletes the subkey only when it has no subkeys left (values do not count).
void deleteKeyIfNoSubkeys(HKEY key, const char* subkey);
