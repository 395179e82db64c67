// Every registry read and write of the setup goes through these: a read that fails gives an
// empty string, a write that fails gives false, and nothing is reported to the user.
#pragma once
#include <windows.h>
#include <string>

// The value's text (at most 259 bytes); empty when the key or value is missing or the value does
// not fit in 260 bytes with its terminating zero. The value's type is not looked at, so an
// expandable string reads unexpanded. A null name reads the key's default value.
std::string readRegistryString(HKEY root, const char* path, const char* name = nullptr);

// Creates the key (with every missing level) and sets the value as REG_SZ; a null name sets the
// default value.
bool writeRegistryString(HKEY root, const char* path, const std::string& text, const char* name = nullptr);

enum class ShellFolder { Programs, Desktop, Startup };

// The folder as the shell records it under "Shell Folders": the current user's (HKCU) or all
// users' ("Common ..." under HKLM). Empty when not recorded.
std::string lookupShellFolder(ShellFolder folder, bool allUsers);
