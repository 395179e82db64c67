// The four-part file version of the application's executable, and its comparison.
#pragma once
#include <windows.h>
#include <string>

struct FileVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    DWORD revision = 0;
};

// Fills the four version fields of the settings record from the file's fixed file version, or
// sets all four to 0 when the file has none (or cannot be read).
void readFileVersion(const std::string& path);

// The version the settings record holds now.
FileVersion settingsVersion();

// Negative, zero or positive as a is older than, equal to or newer than b. The parts are compared
// in order: folding them into one decimal number lets a part above 99 spill into the next
// (6.100.0.0 would equal 7.0.0.0) and wraps at 2^32.
int compareVersions(const FileVersion& a, const FileVersion& b);
