// The list of process ids in named shared memory that the application's copies and every setup
// process keep together. Its object names, layout and notices are a protocol with the
// application: they must not change.
#pragma once
#include "framework/Object.h"
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

private:
    std::string instanceName;
    DWORD listSize = 0;
    DWORD additionalSize = 0;
    HANDLE listMutex = nullptr;
    HANDLE additionalMutex = nullptr;
    HANDLE mappingHandle = nullptr;
    void* listView = nullptr;
    void* additionalView = nullptr;
};

// The process's one instance manager, built before everything else.
extern COXInstanceManager instanceManager;
