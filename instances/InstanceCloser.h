// The closing of the processes in one instance list, apart from the process-wide manager so that
// test programs can run it on a list of their own.
#pragma once
#include "instances/InstanceManager.h"

// Ends a process that has been asked to close (exit code 0).
BOOL terminateInstance(HANDLE process);
// Tests put their own in place to see each close request arrive before its process ends.
using EndInstanceFn = BOOL (*)(HANDLE process);

// Every listed process but the current one, in slot order: asked to close through its main
// window (WM_CLOSE, wParam 1001), given 10 ms, then ended. A process that cannot show it is an
// instance (see InstanceIdentity.h) is neither asked nor ended.
void closeListedInstances(COXInstanceManager& manager, EndInstanceFn endInstance = terminateInstance);
