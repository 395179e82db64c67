// Helpers of the instance tests: other processes that join a list, and a look at a list from
// outside, without joining it.
#pragma once
#include "instances/InstanceList.h"
#include "support/Scoped.h"
#include "support/Scratch.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace insttest {

// A file of the build folder (LMT_BUILD_DIR, a Linux path, reached through drive Z:).
inline std::string buildFile(const std::string& relative)
{
    const char* dir = getenv("LMT_BUILD_DIR");
    std::string path = std::string("Z:") + (dir ? dir : "") + "/" + relative;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

// A list name no other test uses, so each test starts from no list at all.
inline std::string uniqueInstanceName()
{
    static int counter = 0;
    char name[96];
    snprintf(name, sizeof name, "Orvanta.Lumetra-Max.v4.test.%lu.%d", GetCurrentProcessId(), ++counter);
    return name;
}

// Polls the condition every 20 ms for up to timeoutMs.
inline bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

// A child process, terminated at the end of the test if it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess()
    {
        if (running())
            TerminateProcess(m_process.Get(), 99);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const std::string& commandLine)
    {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string line = commandLine;
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        CloseHandle(pi.hThread);
        m_process.Attach(pi.hProcess);
        m_pid = pi.dwProcessId;
        return true;
    }
    DWORD pid() const { return m_pid; }
    HANDLE handle() const { return m_process.Get(); }
    bool running() const { return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }
    bool waitGone(DWORD timeoutMs = 30000) const
    {
        return !m_process || WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0;
    }

private:
    ScopedKernelHandle m_process;
    DWORD m_pid = 0;
};

// Starts inst_member (see tests/tools/inst_member.cpp) with the arguments.
inline bool startMember(ChildProcess& child, const std::string& arguments)
{
    return child.start("\"" + buildFile("tests/tools/inst_member.exe") + "\" " + arguments);
}

inline bool hasLine(const std::string& path, const std::string& line)
{
    return ("\n" + readFile(path)).find("\n" + line + "\n") != std::string::npos;
}

inline std::string pidLine(DWORD pid, const std::string& event)
{
    return "pid=" + std::to_string(pid) + " " + event;
}

// The list as another process sees it, read under its lock.
struct ListSnapshot {
    bool exists = false;
    DWORD marker = 0;
    DWORD count = 0;
    std::vector<DWORD> ids;       // the slots below the count
    bool restZero = true;         // every byte of the first section after the slots in use
    SIZE_T sectionBytes = 0;      // the whole mapping as mapped
};

inline ListSnapshot readList(const std::string& name)
{
    ListSnapshot snapshot;
    ScopedKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, ("COXInstanceManager_FileMap_" + name).c_str()));
    if (!mapping)
        return snapshot;
    ScopedKernelHandle mutex(
        OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, ("COXInstanceManager_InstanceList_Mutex_" + name).c_str()));
    ScopedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!mutex || !view)
        return snapshot;
    MEMORY_BASIC_INFORMATION region = {};
    VirtualQuery(view.Get(), &region, sizeof region);
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    WaitForSingleObject(mutex.Get(), INFINITE);
    const InstanceList& list = *static_cast<const InstanceList*>(view.Get());
    snapshot.exists = true;
    snapshot.marker = list.marker;
    snapshot.count = list.count;
    DWORD used = list.count < kInstanceSlots ? list.count : kInstanceSlots;
    snapshot.ids.assign(list.processIds, list.processIds + used);
    const BYTE* bytes = static_cast<const BYTE*>(view.Get());
    for (DWORD i = 8 + 4 * used; i < info.dwAllocationGranularity; i++)
        snapshot.restZero = snapshot.restZero && bytes[i] == 0;
    snapshot.sectionBytes = region.RegionSize;
    ReleaseMutex(mutex.Get());
    return snapshot;
}

// The list's memory held open and written directly, as a faulty or foreign writer would.
class RawList {
public:
    explicit RawList(const std::string& name)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        m_mutex.Attach(CreateMutexA(nullptr, FALSE, ("COXInstanceManager_InstanceList_Mutex_" + name).c_str()));
        m_mapping.Attach(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0,
                                            2 * info.dwAllocationGranularity,
                                            ("COXInstanceManager_FileMap_" + name).c_str()));
        if (m_mapping)
            m_view.Attach(MapViewOfFile(m_mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
    }
    bool valid() const { return m_view.IsValid() && m_mutex.IsValid(); }
    InstanceList& list() { return *static_cast<InstanceList*>(m_view.Get()); }
    BYTE* bytes() { return static_cast<BYTE*>(m_view.Get()); }
    // Writes the ids as the slots in use (count = their number).
    void write(const std::vector<DWORD>& ids)
    {
        WaitForSingleObject(m_mutex.Get(), INFINITE);
        initialiseInstanceListData(list());
        for (size_t i = 0; i < ids.size() && i < kInstanceSlots; i++)
            list().processIds[i] = ids[i];
        list().count = static_cast<DWORD>(ids.size());
        ReleaseMutex(m_mutex.Get());
    }

private:
    ScopedKernelHandle m_mutex;
    ScopedKernelHandle m_mapping;
    ScopedView m_view;
};

} // namespace insttest
