#include "uninstall/LogReplay.h"
#include "install/InstallLog.h"
#include "install/SafePaths.h"
#include "support/Paths.h"
#include "support/Scoped.h"
#include <windows.h>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

const char* const fileLinePrefixes[] = {logprefix::kFileCopy, logprefix::kFileCopyX64, logprefix::kFileOverwrite,
                                        logprefix::kFileDel};
// The package may add a remark after this separator; it is never part of a name.
constexpr const char* kRemarkSeparator = " | ";

std::string textAfter(const std::string& line, const char* prefix)
{
    size_t n = strlen(prefix);
    return line.size() > n ? line.substr(n) : std::string();
}

// The name a file line deletes: the remark is cut first, then "source > destination" names the
// destination, without its leading whitespace. A plain name keeps its leading spaces.
std::string deletionName(const std::string& line, const char* prefix)
{
    std::string name = textAfter(line.substr(0, line.find(kRemarkSeparator)), prefix);
    size_t arrow = name.find('>');
    if (arrow != std::string::npos)
        name = trimLeft(name.substr(arrow + 1));
    return name;
}

void deleteLoggedFiles(LogLineReader& reader, const std::string& baseDir, const char* singlePrefix)
{
    std::vector<const char*> prefixes(std::begin(fileLinePrefixes), std::end(fileLinePrefixes));
    if (singlePrefix)
        prefixes.assign(1, singlePrefix);
    std::string line;
    while (reader.next(line)) {
        for (const char* prefix : prefixes) {
            if (!hasPrefix(line, prefix))
                continue;
            std::string name = deletionName(line, prefix);
            if (isSafeRelativePath(name))
                deleteMatchingFiles(name, baseDir);
            break;
        }
    }
}

// Each listed directory gets one attempt, from the last line to the first: a package lists
// parents before children, so children are removed before their parents are tried.
void removeLoggedDirectories(LogLineReader& reader, const std::string& baseDir)
{
    std::vector<std::string> directories;
    std::string line;
    while (reader.next(line)) {
        if (!hasPrefix(line, logprefix::kMakeDir))
            continue;
        std::string name = textAfter(line, logprefix::kMakeDir);
        std::string path = baseDir + "\\" + name;
        if (isSafeRelativePath(name) && fitsPathLimit(path))
            directories.push_back(path);
    }
    for (auto it = directories.rbegin(); it != directories.rend(); ++it)
        RemoveDirectoryA(it->c_str());
}

// The group folder, then each parent while it is empty: the walk ends at the first directory
// that cannot be removed, or when the path has shrunk to a bare drive.
void removeDirectoryAndEmptyParents(std::string dir)
{
    while (!dir.empty() && RemoveDirectoryA(dir.c_str()))
        dir = parentDirectory(dir);
}

void deleteFoundFile(const std::string& path, DWORD attributes)
{
    if (!fitsPathLimit(path))
        return;
    // Read-only and hidden files are deleted too, once those two bits are cleared.
    const DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    if (attributes & kReadOnlyHidden)
        SetFileAttributesA(path.c_str(), attributes & ~kReadOnlyHidden);
    DeleteFileA(path.c_str()); // directories among the matches fail here and stay
}

} // namespace

void replayLinkAndDirLines(const std::string& logPath)
{
    LogLineReader reader(logPath);
    if (!reader.isOpen())
        return;
    // Every shortcut goes before any folder is tried, so a group folder that held only the
    // logged shortcuts is empty when its "Made Dir: " line comes up.
    std::string line;
    while (reader.next(line)) {
        std::string path = textAfter(line, logprefix::kShellLink);
        if (hasPrefix(line, logprefix::kShellLink) && isShortcutPath(path))
            DeleteFileA(path.c_str());
    }
    reader.rewind();
    while (reader.next(line)) {
        if (hasPrefix(line, logprefix::kMadeDir))
            removeDirectoryAndEmptyParents(textAfter(line, logprefix::kMadeDir));
    }
}

void replayFileLines(const std::string& logPath, const std::string& baseDir, const char* singlePrefix)
{
    LogLineReader reader(logPath);
    if (!reader.isOpen())
        return;
    deleteLoggedFiles(reader, baseDir, singlePrefix);
    reader.rewind();
    removeLoggedDirectories(reader, baseDir);
}

void deleteMatchingFiles(const std::string& pattern, const std::string& dir)
{
    std::string base = dir;
    if (!base.empty() && base.back() != '\\' && base.back() != '/')
        base += '\\';
    const std::string searchPath = base + pattern;
    if (!fitsPathLimit(searchPath))
        return;
    int slash = lastBackslash(pattern);
    if (slash >= 0)
        base += pattern.substr(0, slash + 1);
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA(searchPath.c_str(), &found));
    if (!find)
        return;
    do {
        deleteFoundFile(base + found.cFileName, found.dwFileAttributes);
    } while (FindNextFileA(find.Get(), &found));
}
