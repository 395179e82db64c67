#include "app/FileVersion.h"
#include "app/SetupSettings.h"
#include "support/Scoped.h"
#include "support/SystemDll.h"
#include <vector>

namespace {

using GetFileVersionInfoSizeAFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using GetFileVersionInfoAFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using VerQueryValueAFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

// The fixed file information of the file; false when it has none.
bool queryFixedFileInfo(const std::string& path, VS_FIXEDFILEINFO& info)
{
    // By full system path: a version.dll planted next to the setup must never be loaded.
    ScopedModule version(loadSystemLibrary("version.dll"));
    if (!version)
        return false;
    auto getSize = procAddress<GetFileVersionInfoSizeAFn>(version.Get(), "GetFileVersionInfoSizeA");
    auto getInfo = procAddress<GetFileVersionInfoAFn>(version.Get(), "GetFileVersionInfoA");
    auto queryValue = procAddress<VerQueryValueAFn>(version.Get(), "VerQueryValueA");
    if (!getSize || !getInfo || !queryValue)
        return false;

    DWORD handle = 0;
    DWORD size = getSize(path.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!getInfo(path.c_str(), 0, size, block.data()))
        return false;
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!queryValue(block.data(), "\\", &fixed, &fixedSize) || !fixed || fixedSize < sizeof info)
        return false;
    info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return true;
}

} // namespace

void readFileVersion(const std::string& path)
{
    setupSettings.versionMajor = 0;
    setupSettings.versionMinor = 0;
    setupSettings.versionBuild = 0;
    setupSettings.versionRevision = 0;
    VS_FIXEDFILEINFO info;
    if (!queryFixedFileInfo(path, info))
        return;
    setupSettings.versionMajor = HIWORD(info.dwFileVersionMS);
    setupSettings.versionMinor = LOWORD(info.dwFileVersionMS);
    setupSettings.versionBuild = HIWORD(info.dwFileVersionLS);
    setupSettings.versionRevision = LOWORD(info.dwFileVersionLS);
}

FileVersion settingsVersion()
{
    FileVersion version;
    version.major = setupSettings.versionMajor;
    version.minor = setupSettings.versionMinor;
    version.build = setupSettings.versionBuild;
    version.revision = setupSettings.versionRevision;
    return version;
}

int compareVersions(const FileVersion& a, const FileVersion& b)
{
    const DWORD left[] = {a.major, a.minor, a.build, a.revision};
    const DWORD right[] = {b.major, b.minor, b.build, b.revision};
    for (int i = 0; i < 4; i++) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    }
    return 0;
}
