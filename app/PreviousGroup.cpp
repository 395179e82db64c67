#include "app/PreviousGroup.h"
#include "app/SetupSettings.h"
#include "install/InstallLog.h"
#include "install/Registry.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include <cstring>

namespace {

// The group of one log line, or false when the line names no shortcut of the Programs folder.
// programs ends with a backslash; both folders are in lower case.
bool groupOfLine(const std::string& line, const std::string& programs, const std::string& startup,
                 std::string& group)
{
    if (!hasPrefix(line, logprefix::kShellLink))
        return false;
    std::string link = line.substr(strlen(logprefix::kShellLink));
    std::string lower = toLowerAnsi(link);
    if (lower.compare(0, programs.size(), programs) != 0)
        return false;
    // An empty Startup folder occurs in every line: then no line counts.
    if (lower.find(startup) != std::string::npos)
        return false;
    group = parentDirectory(link.substr(programs.size()));
    return true;
}

} // namespace

bool groupFromLog(const std::string& logPath, const std::string& programsFolder,
                  const std::string& startupFolder, std::string& group)
{
    LogLineReader reader(logPath, kLogLineBufferSize);
    if (!reader.isOpen())
        return false;
    std::string programs = programsFolder;
    if (programs.empty() || programs.back() != '\\')
        programs += '\\';
    programs = toLowerAnsi(programs);
    std::string startup = toLowerAnsi(startupFolder);

    bool found = false;
    std::string line;
    while (reader.next(line))
        found = groupOfLine(line, programs, startup, group) || found;
    return found;
}

void readPreviousGroup()
{
    std::string logPath = joinPath(setupSettings.installDir, contract::kLogFile);
    if (!LogLineReader(logPath).isOpen())
        logPath = joinPath(setupSettings.installDir, contract::kOldLogFile);
    bool allUsers = setupSettings.allUsers != 0;
    groupFromLog(logPath, lookupShellFolder(ShellFolder::Programs, allUsers),
                 lookupShellFolder(ShellFolder::Startup, allUsers), setupSettings.groupName);
}
