#include "install/FilePlacement.h"
#include "app/SetupSettings.h"
#include "install/DirectoryLevels.h"
#include "install/InstallLog.h"
#include "install/SafePaths.h"
#include "support/Paths.h"
#include "support/Scoped.h"
#include <cstring>

namespace {

bool g_restartRequired = false;

// The directory with one trailing separator; an empty directory gets one too.
std::string withSeparator(const std::string& dir)
{
    if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/'))
        return dir;
    return dir + "\\";
}

bool isDirectory(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool plainCopy(const std::string& source, const std::string& target)
{
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

// T.old, or T.old2 when a T.old of an earlier run is still held (that one goes at the restart).
std::string freeSideName(const std::string& target)
{
    std::string side = target + ".old";
    if (pathExists(side) && !DeleteFileA(side.c_str())) {
        scheduleDeleteAtRestart(side);
        side += "2";
        DeleteFileA(side.c_str());
    }
    return side;
}

// The target can be neither deleted nor moved: the new content waits in T.new for the restart.
bool replaceAtRestart(const std::string& source, const std::string& target)
{
    const std::string pending = target + ".new";
    DeleteFileA(pending.c_str());
    if (plainCopy(source, pending)) {
        // The file in use is marked for deletion only once its replacement is ready, so a failed
        // copy never leaves the user without the file after the restart. The deletion is asked
        // for first: at the restart neither service renames onto an existing file.
        scheduleDeleteAtRestart(target);
        if (scheduleRenameAtRestart(pending, target))
            g_restartRequired = true;
    }
    // The target is in use, so this normally fails: the new content arrives with the restart.
    return plainCopy(source, target);
}

// A running program file cannot be deleted or overwritten, but it can be renamed: moved aside,
// it keeps running from its new name and frees the target path for the new copy.
bool replaceInUse(const std::string& source, const std::string& target)
{
    const std::string side = freeSideName(target);
    if (MoveFileA(target.c_str(), side.c_str())) {
        scheduleDeleteAtRestart(side);
        return plainCopy(source, target);
    }
    return replaceAtRestart(source, target);
}

bool replaceExisting(const std::string& source, const std::string& target, DWORD attributes)
{
    const DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    if (attributes & kReadOnlyHidden)
        SetFileAttributesA(target.c_str(), attributes & ~kReadOnlyHidden);
    if (DeleteFileA(target.c_str()))
        return plainCopy(source, target);
    return replaceInUse(source, target);
}

bool isDotEntry(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// Into a target directory that is not the source directory, and onto no existing file, a copy
// that refuses to overwrite is all it takes: the common case of an installation costs one call.
// When it fails, the target's state decides the way.
bool copyToOtherDirectory(const std::string& source, const std::string& target)
{
    if (CopyFileA(source.c_str(), target.c_str(), TRUE))
        return true;
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || isDirectory(attributes))
        return false; // no file in the way: the copy itself failed, or a directory holds the name
    return replaceExisting(source, target, attributes);
}

// Within one directory, a file of the target name is deleted first; if it cannot be, it stays.
bool copyWithinDirectory(const std::string& source, const std::string& target)
{
    // "a > a": deleting the target would delete the only copy.
    if (lstrcmpiA(source.c_str(), target.c_str()) == 0)
        return true;
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (isDirectory(attributes))
        return false;
    if (attributes != INVALID_FILE_ATTRIBUTES && !DeleteFileA(target.c_str()))
        return true; // the existing target stays
    return plainCopy(source, target);
}

// The two directories of a copy, each with its separator, compared once for every file of a
// pattern: the comparison follows the code page's case rules and is not cheap.
struct CopyDirectories {
    CopyDirectories(const std::string& sourceDir, const std::string& targetDir)
        : sourceBase(withSeparator(sourceDir)), targetBase(withSeparator(targetDir)),
          same(lstrcmpiA(sourceBase.c_str(), targetBase.c_str()) == 0)
    {
    }
    std::string sourceBase;
    std::string targetBase;
    bool same;
};

// copyOneFile's work; sourceIsFile when the caller has just found the source as a file.
bool copyBetween(const CopyDirectories& dirs, const std::string& name, const char* targetName, bool sourceIsFile)
{
    if (dirs.same && !targetName)
        return true; // the file is already where it belongs
    const std::string source = dirs.sourceBase + name;
    const std::string target = dirs.targetBase + (targetName ? targetName : name);
    if (!fitsPathLimit(source) || !fitsPathLimit(target))
        return false;
    // A directory is no file to copy; were it handed on, the in-use path would move a directory
    // of the same name in the target aside.
    if (!sourceIsFile) {
        DWORD sourceAttributes = GetFileAttributesA(source.c_str());
        if (sourceAttributes == INVALID_FILE_ATTRIBUTES || isDirectory(sourceAttributes))
            return false;
    }
    if (dirs.same)
        return copyWithinDirectory(source, target);
    return copyToOtherDirectory(source, target);
}

// "source > target" copies one file under a new name; anything else is a pattern.
void copyListEntry(const std::string& entry)
{
    const SetupSettings& s = setupSettings;
    size_t arrow = entry.find('>');
    if (arrow == std::string::npos) {
        if (isSafeRelativePath(entry))
            copyMatchingFiles(entry, s.installDir, s.sourceDir);
        return;
    }
    std::string source = trimRight(entry.substr(0, arrow));
    std::string target = trimLeft(entry.substr(arrow + 1));
    if (isSafeRelativePath(target))
        copyOneFile(source, s.sourceDir, s.installDir, target.c_str());
}

// One level: a missing parent means nothing is created, so parents are listed before children.
void makeListedDirectory(const std::string& name)
{
    std::string path = setupSettings.installDir + "\\" + name;
    if (isSafeRelativePath(name) && fitsPathLimit(path))
        CreateDirectoryA(path.c_str(), nullptr);
}

} // namespace

bool restartRequired()
{
    return g_restartRequired;
}

bool runningOnWow64()
{
#ifdef _WIN64
    // A 64-bit process runs only on 64-bit Windows, where IsWow64Process answers false for it.
    return true;
#else
    if (!setupSettings.isWow64ProcessFn)
        return false;
    BOOL wow64 = FALSE;
    setupSettings.isWow64ProcessFn(GetCurrentProcess(), &wow64);
    return wow64 != FALSE;
#endif
}

bool copyOneFile(const std::string& name, const std::string& sourceDir, const std::string& targetDir,
                 const char* targetName)
{
    return copyBetween(CopyDirectories(sourceDir, targetDir), name, targetName, false);
}

int copyMatchingFiles(const std::string& pattern, const std::string& targetDir, const std::string& sourceDir)
{
    const std::string searchPath = withSeparator(sourceDir) + pattern;
    if (!fitsPathLimit(searchPath))
        return 0;
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA(searchPath.c_str(), &found));
    if (!find)
        return 0; // nothing matches: the target directory is not created either
    if (!pathExists(targetDir))
        createDirectoryPath(targetDir);
    std::string sourceBase = sourceDir;
    std::string target = targetDir;
    int slash = lastBackslash(pattern);
    if (slash >= 0) {
        // A subdirectory pattern: its files go to the same subdirectory of the target, which a
        // "Make Dir: " line has created.
        sourceBase = searchPath.substr(0, lastBackslash(searchPath));
        target = targetDir + "\\" + pattern.substr(0, slash);
    }
    const CopyDirectories dirs(sourceBase, target);
    int count = 0;
    do {
        if (isDotEntry(found.cFileName))
            continue;
        // A directory cannot be copied and ends the loop; a file found just now needs no second look.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !copyBetween(dirs, found.cFileName, nullptr, true))
            break;
        count++;
    } while (FindNextFileA(find.Get(), &found));
    return count;
}

void replaySourceList(const std::string& sourceListPath)
{
    const bool x64 = runningOnWow64();
    LogLineReader reader(sourceListPath);
    std::string line;
    while (reader.next(line)) {
        if (hasPrefix(line, logprefix::kFileCopy))
            copyListEntry(line.substr(strlen(logprefix::kFileCopy)));
        else if (hasPrefix(line, logprefix::kFileCopyX64) && x64)
            copyListEntry(line.substr(strlen(logprefix::kFileCopyX64)));
        else if (hasPrefix(line, logprefix::kMakeDir))
            makeListedDirectory(line.substr(strlen(logprefix::kMakeDir)));
    }
}
