// The search for a registered process's main window, used by the notices and the close request.
#pragma once
#include <windows.h>

// The first top-level window, in the system's enumeration order, of that process that has no
// owner, is not a tool window and has a title beginning with "Lumetra" (visible or not). Null
// when it has none.
HWND findInstanceWindow(DWORD processId);
