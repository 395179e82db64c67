// Ending the other running copies before an installation or uninstall.
#pragma once
#include <windows.h>

// The main window of a process: top-level, no owner, not a tool window, title beginning with
// "Lumetra". Null when it has none.
HWND findInstanceWindow(DWORD processId);

// Asks every other registered process to close (WM_CLOSE, wParam 1001), then ends it.
void closeOtherInstances();
