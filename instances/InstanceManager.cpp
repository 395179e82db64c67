#include "instances/InstanceManager.h"

IMPLEMENT_DYNAMIC(COXInstanceManager)

// The shared-memory protocol is not built yet: the list is never available, so the setup
// behaves as if no other instance ran.
COXInstanceManager::COXInstanceManager(const char* name) : instanceName(name) {}

COXInstanceManager::~COXInstanceManager() {}

BOOL COXInstanceManager::registerProcess(DWORD) { return FALSE; }

BOOL COXInstanceManager::unregisterProcess(DWORD) { return FALSE; }

int COXInstanceManager::countInstances() { return 0; }

BOOL COXInstanceManager::listInstanceIds(std::vector<DWORD>&) { return FALSE; }

void COXInstanceManager::initialiseInstanceList() {}
