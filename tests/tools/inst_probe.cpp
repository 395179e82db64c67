// inst_probe: looks at and prepares an instance list from outside, for the instance tests.
//
//   inst_probe show [--name NAME]        prints "marker=M count=C ids=A,B,... tail=zero|dirty
//                                        size=BYTES" under the list's lock; exit 2 without a list
//   inst_probe write [--name NAME] [--count C] [--ids A,B,...] [--fill N] [--ready FILE]
//                    [--stop FILE] [--timeout SECONDS]
//                                        creates or opens the list's memory, writes the ids (or N
//                                        made-up ids from 100000 up with --fill) and the count
//                                        (their number unless given), then holds the memory open
//                                        until the stop file appears (60 s at most)
//   inst_probe alive PID                 exit 0 while the process runs, 1 otherwise
//   inst_probe wait-gone PID [--timeout MS]      exit 0 once the process has ended
//   inst_probe wait-window PID [--timeout MS]    exit 0 once the process has a main window
//   inst_probe append ID [--name NAME]   appends an id to the list as a foreign writer would
//                                        (no notices, no proof of being an instance)
//   inst_probe close [--name NAME]       registers, closes the other listed processes, leaves
//   inst_probe kill-image FILE           terminates every process running an executable of that
//                                        file name (a test's clean-up of a setup left waiting)
#include "instances/CloseInstances.h"
#include "instances/InstanceCloser.h"
#include "instances/InstanceList.h"
#include "instances/InstanceManager.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include <windows.h>
#include <tlhelp32.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string g_name = contract::kInstanceName;

const char* option(int argc, char** argv, const char* name, const char* fallback)
{
    for (int i = 2; i + 1 < argc; i++) {
        if (strcmp(argv[i], name) == 0)
            return argv[i + 1];
    }
    return fallback;
}

DWORD mappingSize()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return 2 * info.dwAllocationGranularity;
}

int show()
{
    ScopedKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, ("COXInstanceManager_FileMap_" + g_name).c_str()));
    if (!mapping)
        return 2;
    ScopedKernelHandle mutex(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE,
                                        ("COXInstanceManager_InstanceList_Mutex_" + g_name).c_str()));
    ScopedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view || !mutex)
        return 3;
    MEMORY_BASIC_INFORMATION region = {};
    VirtualQuery(view.Get(), &region, sizeof region);
    WaitForSingleObject(mutex.Get(), INFINITE);
    const InstanceList& list = *static_cast<const InstanceList*>(view.Get());
    std::string ids;
    for (DWORD i = 0; i < list.count && i < kInstanceSlots; i++)
        ids += (i ? "," : "") + std::to_string(list.processIds[i]);
    bool tailZero = true;
    const BYTE* bytes = static_cast<const BYTE*>(view.Get());
    for (DWORD i = 8 + 4 * (list.count < kInstanceSlots ? list.count : kInstanceSlots); i < region.RegionSize; i++)
        tailZero = tailZero && bytes[i] == 0;
    printf("marker=%lu count=%lu ids=%s tail=%s size=%lu\n", static_cast<unsigned long>(list.marker),
           static_cast<unsigned long>(list.count), ids.c_str(), tailZero ? "zero" : "dirty",
           static_cast<unsigned long>(region.RegionSize));
    ReleaseMutex(mutex.Get());
    return 0;
}

std::vector<DWORD> parseIds(const char* text)
{
    std::vector<DWORD> ids;
    for (const char* p = text; *p;) {
        char* end = nullptr;
        ids.push_back(strtoul(p, &end, 10));
        p = *end == ',' ? end + 1 : end;
        if (end == p && *p)
            break;
    }
    return ids;
}

bool waitForFile(const char* path, int seconds)
{
    for (int i = 0; i < seconds * 50; i++) {
        if (path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(20);
    }
    return false;
}

int write(int argc, char** argv)
{
    std::vector<DWORD> ids = parseIds(option(argc, argv, "--ids", ""));
    for (int i = 0; i < atoi(option(argc, argv, "--fill", "0")); i++)
        ids.push_back(100000 + i);
    DWORD count = strtoul(option(argc, argv, "--count", std::to_string(ids.size()).c_str()), nullptr, 10);
    ScopedKernelHandle mutex(CreateMutexA(nullptr, FALSE, ("COXInstanceManager_InstanceList_Mutex_" + g_name).c_str()));
    ScopedKernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0,
                                                  mappingSize(), ("COXInstanceManager_FileMap_" + g_name).c_str()));
    ScopedView view(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr);
    if (!view || !mutex)
        return 3;
    WaitForSingleObject(mutex.Get(), INFINITE);
    InstanceList& list = *static_cast<InstanceList*>(view.Get());
    initialiseInstanceListData(list);
    for (size_t i = 0; i < ids.size() && i < kInstanceSlots; i++)
        list.processIds[i] = ids[i];
    list.count = count;
    ReleaseMutex(mutex.Get());
    const char* ready = option(argc, argv, "--ready", nullptr);
    if (ready) {
        FILE* file = fopen(ready, "w");
        if (file)
            fclose(file);
    }
    waitForFile(option(argc, argv, "--stop", nullptr), atoi(option(argc, argv, "--timeout", "60")));
    return 0;
}

bool isRunning(DWORD pid)
{
    ScopedKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

int waitUntil(bool (*condition)(DWORD), DWORD pid, int timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition(pid)) {
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs)
            return 1;
        Sleep(20);
    }
    return 0;
}

bool isGone(DWORD pid) { return !isRunning(pid); }
bool hasWindow(DWORD pid) { return findInstanceWindow(pid) != nullptr; }

int append(DWORD id)
{
    ScopedKernelHandle mapping(OpenFileMappingA(FILE_MAP_WRITE, FALSE, ("COXInstanceManager_FileMap_" + g_name).c_str()));
    ScopedKernelHandle mutex(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE,
                                        ("COXInstanceManager_InstanceList_Mutex_" + g_name).c_str()));
    ScopedView view(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr);
    if (!view || !mutex)
        return 2;
    WaitForSingleObject(mutex.Get(), INFINITE);
    bool appended = appendId(*static_cast<InstanceList*>(view.Get()), id);
    ReleaseMutex(mutex.Get());
    return appended ? 0 : 1;
}

int killImage(const char* file)
{
    ScopedFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return 2;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int killed = 0;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, file) != 0 || entry.th32ProcessID == GetCurrentProcessId())
            continue;
        ScopedKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (process && TerminateProcess(process.Get(), 99)) {
            WaitForSingleObject(process.Get(), 10000);
            killed++;
        }
    }
    printf("killed=%d\n", killed);
    return 0;
}

int closeOthers()
{
    COXInstanceManager manager(g_name.c_str());
    closeListedInstances(manager);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    g_name = option(argc, argv, "--name", contract::kInstanceName);
    std::string command = argv[1];
    int timeoutMs = atoi(option(argc, argv, "--timeout", "30000"));
    DWORD pid = argc > 2 ? strtoul(argv[2], nullptr, 10) : 0;
    if (command == "show")
        return show();
    if (command == "write")
        return write(argc, argv);
    if (command == "alive")
        return isRunning(pid) ? 0 : 1;
    if (command == "wait-gone")
        return waitUntil(isGone, pid, timeoutMs);
    if (command == "wait-window")
        return waitUntil(hasWindow, pid, timeoutMs);
    if (command == "append")
        return append(pid);
    if (command == "kill-image" && argc > 2)
        return killImage(argv[2]);
    if (command == "close")
        return closeOthers();
    fprintf(stderr, "inst_probe: unknown command\n");
    return 2;
}
