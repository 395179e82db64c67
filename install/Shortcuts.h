// Shortcut files made through the shell link object and recorded in the installed log.
#pragma once
#include <windows.h>
#include <shobjidl.h>
#include <string>

// Makes linkPath start target (quotes around the target are dropped) with an empty description
// and, when given, workingDir stored as it is. Appends "Shell Link: " + linkPath to the installed
// log exactly when the file was saved. The status of the last step reached. A target of 512
// bytes or more, or a linkPath that does not fit in MAX_PATH UTF-16 units, is refused: no object,
// no file, no line.
HRESULT createShortcut(const std::string& target, const std::string& linkPath, const char* workingDir);

// createShortcut's work once the shell link object exists: sets the prepared target, the empty
// description and the working directory, saves to the wide path and logs linkPath on success.
// A failing SetPath or SetDescription shows its fixed message and the save goes on.
HRESULT writeShortcut(IShellLinkA* link, IPersistFile* file, const std::string& target, const std::string& linkPath,
                      const wchar_t* wideLinkPath, const char* workingDir);
