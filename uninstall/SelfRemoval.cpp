#include "uninstall/SelfRemoval.h"
#include "app/SetupSettings.h"
#include "framework/MessageBox.h"
#include "install/FilePlacement.h"
#include "instances/InstanceManager.h"
#include "res/resource.h"
#include "uninstall/HandOver.h"
#include "uninstall/UninstallProcedure.h"
#include <windows.h>
#include <process.h>
#include <cstdlib>

namespace {

// The first process ends right after it has started the copy, and the copy waits this long
// before it touches anything, so the uninstaller file is normally free by then.
constexpr DWORD kHandOverWaitMs = 1000;

std::string modulePath()
{
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    // A path cut at the buffer's end names some other file.
    if (n == 0 || n >= sizeof path)
        return std::string();
    return path;
}

// A new file "uni<hex>.tmp" in the temporary directory holding this program's bytes; empty when
// it cannot be made, and then nothing is left behind.
std::string makeTemporaryCopy(const std::string& selfPath)
{
    char tempDir[MAX_PATH];
    DWORD n = GetTempPathA(sizeof tempDir, tempDir);
    if (n == 0 || n >= sizeof tempDir)
        return std::string();
    char copyPath[MAX_PATH];
    if (GetTempFileNameA(tempDir, "uni", 0, copyPath) == 0)
        return std::string();
    if (!CopyFileA(selfPath.c_str(), copyPath, FALSE)) {
        DeleteFileA(copyPath);
        return std::string();
    }
    return copyPath;
}

} // namespace

void startTempUninstaller()
{
    std::string selfPath = modulePath();
    if (selfPath.empty())
        return;
    std::string copyPath = makeTemporaryCopy(selfPath);
    if (copyPath.empty())
        return;
    std::string program = quotedArgument(copyPath);
    std::string uninstaller = quotedArgument(selfPath);
    const char* argv[] = {program.c_str(), "-delself", uninstaller.c_str(), setupSettings.silent ? "-s" : nullptr,
                          nullptr};
    // The exec ends this process without running its destructors, which would leave its id in
    // the shared instance list for as long as another process keeps the list open: a setup
    // started then would count, and try to close, an instance that no longer exists.
    instanceManager.unregisterProcess(GetCurrentProcessId());
    _execv(copyPath.c_str(), argv);
    // Only a failed start comes back: the copy is no use to anyone now.
    DeleteFileA(copyPath.c_str());
}

void selfRemovalPhase(const std::string& uninstallerPath)
{
    Sleep(kHandOverWaitMs);
    // Arranged before anything is removed, so the copy goes at the next restart even when the
    // removal stops part-way.
    std::string selfPath = modulePath();
    if (!selfPath.empty())
        scheduleDeleteAtRestart(selfPath);
    std::string installDir = uninstallerDirectory(uninstallerPath);
    // Deleted before the procedure runs, so the installation directory can be empty when it is
    // removed.
    deleteUninstallerFile(uninstallerPath);
    uninstallProduct(installDir);
    if (!setupSettings.silent)
        AfxMessageBox(IDS_UNINSTALLED, MB_OK);
    exit(0);
}
