#include "instances/InstanceManager.h"
#include "instances/InstanceIdentity.h"
#include "instances/InstanceWindow.h"
#include "support/AppContract.h"

IMPLEMENT_DYNAMIC(COXInstanceManager)

namespace {

const char kListMutexPrefix[] = "COXInstanceManager_InstanceList_Mutex_";
const char kAdditionalMutexPrefix[] = "COXInstanceManager_Additional_Mutex_";
const char kFileMapPrefix[] = "COXInstanceManager_FileMap_";

DWORD roundUpToGranularity(DWORD size)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    DWORD granule = info.dwAllocationGranularity;
    return (size + granule - 1) / granule * granule;
}

// Holds a mutex for one scope; waits without a time-out.
class CMutexLock {
public:
    explicit CMutexLock(HANDLE mutex) : m_mutex(mutex), m_wait(WaitForSingleObject(mutex, INFINITE)) {}
    ~CMutexLock()
    {
        if (held())
            ReleaseMutex(m_mutex);
    }
    CMutexLock(const CMutexLock&) = delete;
    CMutexLock& operator=(const CMutexLock&) = delete;

    bool held() const { return m_wait == WAIT_OBJECT_0 || m_wait == WAIT_ABANDONED; }
    // The previous holder ended while holding it, maybe in the middle of changing the list.
    bool abandoned() const { return m_wait == WAIT_ABANDONED; }

private:
    HANDLE m_mutex;
    DWORD m_wait;
};

} // namespace

COXInstanceManager::COXInstanceManager(const char* name)
    : processMarker(createInstanceMarker(name)), instanceName(name)
{
    listSize = kInstanceListBytes;
    additionalSize = kInstanceAdditionalBytes;
    listMutex.Attach(CreateMutexA(nullptr, FALSE, (kListMutexPrefix + instanceName).c_str()));
    additionalMutex.Attach(CreateMutexA(nullptr, FALSE, (kAdditionalMutexPrefix + instanceName).c_str()));
    // Without its lock the list must not be touched at all: the process then runs as if it were
    // the only instance, and every operation reports the list as unavailable.
    if (!listMutex || !additionalMutex)
        return;
    listSize = roundUpToGranularity(listSize);
    additionalSize = roundUpToGranularity(additionalSize);
    openSharedMemory();
    registerProcess(GetCurrentProcessId());
}

COXInstanceManager::~COXInstanceManager()
{
    unregisterProcess(GetCurrentProcessId());
    additionalView.Close();
    mappingHandle.Close();
    additionalMutex.Close();
    listMutex.Close();
}

template <typename Work>
bool COXInstanceManager::withList(Work work)
{
    if (!mappingHandle || !listMutex)
        return false;
    listView.Attach(MapViewOfFile(mappingHandle.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, listSize));
    if (!listView)
        return false;
    CMutexLock lock(listMutex.Get());
    if (!lock.held()) {
        listView.Close();
        return false;
    }
    InstanceList& list = *static_cast<InstanceList*>(listView.Get());
    // An abandoned lock means its holder ended in the middle of an operation (terminated by a
    // setup, for one): the list is put straight before anyone reads it.
    if (lock.abandoned())
        repairInstanceList(list);
    bool result = work(list);
    listView.Close();
    return result;
}

// Creates the memory and writes its list under the lock: a process that opened the new memory
// between the two steps would otherwise register first and be wiped by the late initialisation.
void COXInstanceManager::openSharedMemory()
{
    CMutexLock lock(listMutex.Get());
    if (!lock.held())
        return;
    std::string name = kFileMapPrefix + instanceName;
    mappingHandle.Attach(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0,
                                            listSize + additionalSize, name.c_str()));
    DWORD error = GetLastError();
    if (!mappingHandle)
        return;
    // The mutex is taken again inside (a thread may take its own mutex repeatedly), so the
    // abandoned state is seen here only.
    if (error != ERROR_ALREADY_EXISTS)
        initialiseInstanceList();
    else if (lock.abandoned())
        withList([](InstanceList& list) {
            repairInstanceList(list);
            return true;
        });
}

void COXInstanceManager::initialiseInstanceList()
{
    withList([](InstanceList& list) {
        initialiseInstanceListData(list);
        return true;
    });
}

// Called with the lock held. A process without a main window gets no notice: posting to a null
// window would only put the message in this thread's own queue.
void COXInstanceManager::postNotice(UINT notice, DWORD aboutId, const InstanceList& list)
{
    DWORD used = usedSlots(list);
    for (DWORD slot = 0; slot < used; slot++) {
        HWND window = findInstanceWindow(list.processIds[slot]);
        if (window)
            PostMessageA(window, notice, 0, static_cast<LPARAM>(aboutId));
    }
}

BOOL COXInstanceManager::registerProcess(DWORD processId)
{
    return withList([&](InstanceList& list) {
        if (list.count >= kInstanceSlots)
            return false;
        postNotice(contract::kInstanceAddedNotice, processId, list);
        return appendId(list, processId);
    });
}

BOOL COXInstanceManager::unregisterProcess(DWORD processId)
{
    return withList([&](InstanceList& list) {
        int slot = findSlot(list, processId);
        if (slot < 0)
            return false;
        removeSlot(list, static_cast<DWORD>(slot));
        postNotice(contract::kInstanceRemovedNotice, processId, list);
        return true;
    });
}

int COXInstanceManager::countInstances()
{
    int count = 0;
    withList([&](InstanceList& list) {
        count = static_cast<int>(usedSlots(list));
        return true;
    });
    return count;
}

BOOL COXInstanceManager::listInstanceIds(std::vector<DWORD>& ids)
{
    return withList([&](InstanceList& list) {
        ids = idsInUse(list);
        return true;
    });
}
