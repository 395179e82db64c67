#include "uninstall/FixedShortcuts.h"
#include "support/AppContract.h"
#include "support/Scoped.h"
#include "uninstall/LogReplay.h"
#include "uninstall/UserHives.h"
#include <string>

namespace {

// Shell-folder paths and the paths joined from them are held in buffers of this size,
// terminating zero included.
constexpr size_t kFolderBufferSize = 512;

// The names of one scope's three folders under "Shell Folders".
struct FolderValueNames {
    const char* startup;
    const char* desktop;
    const char* programs;
};
constexpr FolderValueNames kAllUsersFolders = {"Common Startup", "Common Desktop", "Common Programs"};
constexpr FolderValueNames kUserFolders = {"Startup", "Desktop", "Programs"};

// The folder's path; empty when the value is missing, empty or longer than the buffer.
std::string readFolder(HKEY shellFolders, const char* valueName)
{
    char buffer[kFolderBufferSize];
    buffer[0] = '\0';
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(shellFolders, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return std::string();
    // The value need not end in a zero byte; the buffer's last byte is kept for one.
    buffer[size] = '\0';
    return buffer;
}

// folder + "\" + name, or empty when the result would not fit the buffer: a cut path would name
// some other file or folder, which must not be deleted in its place.
std::string joinFolder(const std::string& folder, const std::string& name)
{
    std::string joined = folder + "\\" + name;
    return joined.size() < kFolderBufferSize ? joined : std::string();
}

void deleteFixedShortcut(const std::string& folder)
{
    if (folder.empty())
        return;
    std::string shortcut = joinFolder(folder, std::string(contract::kProductName) + ".lnk");
    if (!shortcut.empty())
        DeleteFileA(shortcut.c_str());
}

// Deletes the files directly in the group folder (not in its subfolders), then the folder if it
// is empty now.
void removeFixedGroup(const std::string& programsFolder)
{
    if (programsFolder.empty())
        return;
    std::string group = joinFolder(programsFolder, std::string(contract::kProductName) + "\\");
    if (group.empty())
        return;
    deleteMatchingFiles("*.*", group);
    RemoveDirectoryA(group.c_str());
}

void removeFixedShortcutsIn(HKEY root, REGSAM access, const FolderValueNames& names)
{
    std::string programs;
    {
        ScopedRegKey shellFolders;
        if (RegOpenKeyExA(root, contract::kShellFoldersKey, 0, access, shellFolders.Receive()) != ERROR_SUCCESS)
            return;
        deleteFixedShortcut(readFolder(shellFolders.Get(), names.startup));
        deleteFixedShortcut(readFolder(shellFolders.Get(), names.desktop));
        programs = readFolder(shellFolders.Get(), names.programs);
    }
    removeFixedGroup(programs);
}

} // namespace

void removeFixedShortcutsOfAllUsers()
{
    removeFixedShortcutsIn(HKEY_LOCAL_MACHINE, KEY_QUERY_VALUE, kAllUsersFolders);
}

void removeFixedShortcutsOfEveryUser()
{
    forEachLoadedUserHive([](HKEY user) { removeFixedShortcutsIn(user, KEY_ALL_ACCESS, kUserFolders); });
}
