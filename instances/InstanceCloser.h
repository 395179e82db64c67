// The closing of the processes in one instance list, apart from the process-wide manager so that
// test programs can run it on a list of their own.
#pragma once
#include "instances/InstanceManager.h"

// Every listed process but the current one, in slot order: asked to close through its main
// window (WM_CLOSE, wParam 1001), given 10 ms, then terminated. A process that cannot show it is
// an instance (see InstanceIdentity.h) is neither asked nor terminated.
void closeListedInstances(COXInstanceManager& manager);
