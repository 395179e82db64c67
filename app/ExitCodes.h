// Process exit codes, as deployment tools read them.
#pragma once

constexpr int kExitSuccess = 0;
// Damaged setup files.
constexpr int kExitDamagedSetup = 1;
// A "-delself" command line that does not name an existing uninstaller file.
constexpr int kExitBadCommandLine = 87;
// The user cancelled or declined (the Windows Installer convention).
constexpr int kExitUserCancelled = 1602;
// Installed, but a file waits for the next restart.
constexpr int kExitRestartRequired = 3010;
// The temporary uninstaller copy could not be started.
constexpr int kExitUninstallNotStarted = 1;
