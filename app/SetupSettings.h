// The one process-wide record of the current run: paths, choices, flags and the version read
// from the application's file. Parts of the setup read and assign its fields directly.
#pragma once
#include <windows.h>
#include <string>

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

struct SetupSettings {
    SetupSettings();

    std::string installDir;   // the installation directory, no trailing backslash
    std::string sourceDir;    // the directory of the running setup (the package)
    std::string groupName;    // Start-menu group, relative to the Programs folder

    // The file version last read by readFileVersion: 16-bit parts.
    DWORD versionMajor = 0;
    DWORD versionMinor = 0;
    DWORD versionBuild = 0;
    DWORD versionRevision = 0;

    int freshInstall = 0;     // no installation found: the driver chose installDir itself
    int runAfter = 0;         // start the application when the setup ends
    int allUsers = 0;         // common shell folders rather than the current user's
    int autoStart = 0;        // a shortcut in the Startup folder
    int desktopIcon = 1;      // a shortcut on the desktop
    int silent = 0;           // no wizard, no confirmations, no final messages
    int upgrade = 0;          // an existing installation is being replaced

    // IsWow64Process of kernel32, looked up at process start; null where the system lacks it.
    IsWow64ProcessFn isWow64ProcessFn = nullptr;
};

// Defined with the other process-wide objects, in the order they are built.
extern SetupSettings setupSettings;
