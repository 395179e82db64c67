#include "install/DirectoryLevels.h"
#include "support/Paths.h"
#include <windows.h>
#include <vector>

namespace {

// Positions of the backslashes, stepping over double-byte characters so that a trail byte of
// value 0x5C is never taken for one.
std::vector<size_t> backslashPositions(const std::string& s)
{
    std::vector<size_t> positions;
    for (size_t i = 0; i < s.size(); i++) {
        if (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size())
            i++;
        else if (s[i] == '\\')
            positions.push_back(i);
    }
    return positions;
}

bool isNetworkPath(const std::string& path)
{
    return path.size() > 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

void createLevel(const std::string& path)
{
    CreateDirectoryA(path.c_str(), nullptr);
}

} // namespace

void createDirectoryPath(const std::string& path)
{
    std::string levels = path;
    size_t firstLevel = 0;
    if (isNetworkPath(path)) {
        // "\\server\share" is not a directory to create, and stripping its leading backslashes
        // (as the normalisation below does) would create the levels in the current directory.
        for (char& c : levels) {
            if (c == '/')
                c = '\\';
        }
        std::vector<size_t> positions = backslashPositions(levels);
        firstLevel = positions.size() > 3 ? positions[3] + 1 : levels.size();
    } else {
        normalizeSubPath(levels);
    }
    for (size_t pos : backslashPositions(levels)) {
        if (pos > 0 && pos >= firstLevel)
            createLevel(levels.substr(0, pos));
    }
    createLevel(path);
}

void createIntermediateLevels(const std::string& base, const std::string& relative)
{
    for (size_t pos : backslashPositions(relative)) {
        if (pos > 0)
            createLevel(base + "\\" + relative.substr(0, pos));
    }
}
