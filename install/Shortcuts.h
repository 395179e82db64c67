// Shortcut files made through the shell link object and recorded in the installed log.
#pragma once
#include <windows.h>
#include <string>

// Makes linkPath start target (quotes around the target are dropped) with an empty description
// and, when given, workingDir stored as it is. Appends "Shell Link: " + linkPath to the installed
// log exactly when the file was saved. The status of the last step reached.
HRESULT createShortcut(const std::string& target, const std::string& linkPath, const char* workingDir);
