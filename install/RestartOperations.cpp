#include "install/RestartOperations.h"
#include <windows.h>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kRenameSection = "rename";
constexpr const char* kDeleteDestination = "NUL";
// The section is read and written whole through one buffer of this size.
constexpr DWORD kSectionBufferSize = 0x4000;

} // namespace

bool addRestartIniEntry(const std::string& destination, const std::string& source, const char* iniFile)
{
    const std::string entry = destination + "=" + source;
    std::vector<char> section(kSectionBufferSize, '\0');
    DWORD used = GetPrivateProfileSectionA(kRenameSection, section.data(), kSectionBufferSize, iniFile);
    // The new entry, its zero byte and the zero that closes the section must fit behind the
    // existing entries. A section that filled the buffer came back cut short: writing it back
    // would drop the entries that did not fit, so such a request is refused as well.
    if (used + entry.size() + 2 > kSectionBufferSize)
        return false;
    memcpy(&section[used], entry.c_str(), entry.size() + 1);
    section[used + entry.size() + 1] = '\0';
    return WritePrivateProfileSectionA(kRenameSection, section.data(), iniFile) != FALSE;
}

bool scheduleDeleteAtRestart(const std::string& path)
{
    // The delay flag alone: no replace-existing flag.
    if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        return true;
    return addRestartIniEntry(kDeleteDestination, path);
}

bool scheduleRenameAtRestart(const std::string& existingPath, const std::string& newPath)
{
    if (MoveFileExA(existingPath.c_str(), newPath.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT))
        return true;
    return addRestartIniEntry(newPath, existingPath);
}
