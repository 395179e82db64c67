#include "instances/InstanceIdentity.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include <cstdio>

namespace {

using QueryFullProcessImageNameAFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);

// Looked up at run time: systems before Vista lack it, and the setup must still start there.
bool runsApplicationExecutable(HANDLE process)
{
    auto queryImageName =
        procAddress<QueryFullProcessImageNameAFn>(GetModuleHandleA("kernel32"), "QueryFullProcessImageNameA");
    char path[MAX_PATH * 2] = "";
    DWORD size = sizeof path;
    if (!queryImageName || !queryImageName(process, 0, path, &size))
        return false;
    std::string image(path, size);
    int slash = lastBackslash(image);
    return equalsNoCase(image.c_str() + slash + 1, contract::kAppExe);
}

} // namespace

HANDLE openInstanceProcess(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    // Systems before Vista refuse the limited right they do not know; they accept the full one.
    if (!process && GetLastError() == ERROR_ACCESS_DENIED)
        process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    return process;
}

std::string instanceMarkerName(const std::string& instanceName, HANDLE process, DWORD processId)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return std::string();
    char suffix[64];
    snprintf(suffix, sizeof suffix, "_%lu_%08lX%08lX", static_cast<unsigned long>(processId),
             static_cast<unsigned long>(created.dwHighDateTime), static_cast<unsigned long>(created.dwLowDateTime));
    return "COXInstanceManager_Process_" + instanceName + suffix;
}

HANDLE createInstanceMarker(const std::string& instanceName)
{
    std::string name = instanceMarkerName(instanceName, GetCurrentProcess(), GetCurrentProcessId());
    if (name.empty())
        return nullptr;
    return CreateEventA(nullptr, TRUE, FALSE, name.c_str());
}

bool isInstanceProcess(const std::string& instanceName, HANDLE process, DWORD processId)
{
    std::string name = instanceMarkerName(instanceName, process, processId);
    if (!name.empty()) {
        ScopedKernelHandle marker(OpenEventA(SYNCHRONIZE, FALSE, name.c_str()));
        if (marker)
            return true;
    }
    return runsApplicationExecutable(process);
}
