// Ending the other running copies before an installation or uninstall.
#pragma once
#include "instances/InstanceWindow.h"
#include <windows.h>

// Asks every other registered process to close (WM_CLOSE, wParam 1001), then ends it.
void closeOtherInstances();
