// The list of process ids in named shared memory that the application's copies and every setup
// process keep together. Its object names, layout and notices are a protocol with the
// application: they must not change.
#pragma once
#include "framework/Object.h"
#include "instances/InstanceList.h"
#include "support/Scoped.h"
#include <windows.h>
#include <string>
#include <vector>

class COXInstanceManager : public CObject {
    DECLARE_DYNAMIC(COXInstanceManager)
public:
    // Creates the mutexes and the shared memory and registers the current process.
    explicit COXInstanceManager(const char* instanceName);
    // Unregisters the current process and closes everything.
    ~COXInstanceManager() override;

    BOOL registerProcess(DWORD processId);
    BOOL unregisterProcess(DWORD processId);
    // Registered processes, this one included; 0 when the list is not available.
    int countInstances();
    BOOL listInstanceIds(std::vector<DWORD>& ids);
    void initialiseInstanceList();

    const std::string& getInstanceName() const { return instanceName; }

private:
    // Keeps the proof that this process is an instance (see InstanceIdentity.h) from before it
    // registers until after it has left: built first, destroyed last.
    ScopedKernelHandle processMarker;
    std::string instanceName;
    DWORD listSize = 0;
    DWORD additionalSize = 0;
    ScopedKernelHandle listMutex;
    ScopedKernelHandle additionalMutex;
    ScopedKernelHandle mappingHandle;
    ScopedView listView;
    ScopedView additionalView;

    void openSharedMemory();
    // Maps the list, takes the lock, runs the work on the list, unmaps, releases. False, without
    // locking, when the list cannot be mapped or the lock cannot be taken.
    template <typename Work>
    bool withList(Work work);
    void postNotice(UINT notice, DWORD aboutId, const InstanceList& list);
};

// The process's one instance manager, built before everything else.
extern COXInstanceManager instanceManager;
