// Loading DLLs by their system-folder path. A setup runs from a downloads folder, where anyone
// may have left a DLL of a system name: nothing is loaded from the application's folder.
#pragma once
#include <windows.h>

// Restricts the process's DLL search to the system folder. Called before anything else runs.
void restrictDllSearchToSystem();

// Loads a DLL from the system folder by its full path; null when it is not there.
HMODULE loadSystemLibrary(const char* fileName);
