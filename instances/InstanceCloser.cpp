#include "instances/InstanceCloser.h"
#include "instances/InstanceIdentity.h"
#include "instances/InstanceWindow.h"
#include "support/AppContract.h"
#include "support/Scoped.h"

namespace {

// The process is opened before anything is sent to it, and the handle is held until it has
// been terminated: while a handle is open the system cannot give the id to another process, so
// the process that was checked is the one that is terminated.
void closeInstance(const std::string& instanceName, DWORD processId, EndInstanceFn endInstance)
{
    ScopedKernelHandle process(openInstanceProcess(processId));
    if (!process)
        return; // ended already, or not ours to end
    if (!isInstanceProcess(instanceName, process.Get(), processId))
        return; // a stale id, now held by an unrelated process
    // A process without a main window gets no request: a null window would post the request to
    // this thread's own queue.
    HWND window = findInstanceWindow(processId);
    if (window)
        PostMessageA(window, WM_CLOSE, contract::kCloseRequestParam, 0);
    Sleep(10);
    endInstance(process.Get());
}

} // namespace

BOOL terminateInstance(HANDLE process)
{
    return TerminateProcess(process, 0);
}

void closeListedInstances(COXInstanceManager& manager, EndInstanceFn endInstance)
{
    std::vector<DWORD> ids;
    if (!manager.listInstanceIds(ids))
        return;
    DWORD self = GetCurrentProcessId();
    for (DWORD id : ids) {
        if (id != self)
            closeInstance(manager.getInstanceName(), id, endInstance);
    }
}
