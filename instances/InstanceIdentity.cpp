#include "instances/InstanceIdentity.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include <cstdio>

namespace {

bool runsApplicationExecutable(HANDLE process)
{
    char path[MAX_PATH * 2] = "";
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(process, 0, path, &size))
        return false;
    std::string image(path, size);
    int slash = lastBackslash(image);
    return equalsNoCase(image.c_str() + slash + 1, contract::kAppExe);
}

} // namespace

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
