#include "app/SetupApp.h"
#include "app/ExitCodes.h"
#include "app/InstallDriver.h"
#include "app/SetupSettings.h"
#include "install/FilePlacement.h"
#include "instances/CloseInstances.h"
#include "instances/InstanceManager.h"
#include "res/resource.h"
#include "support/Paths.h"
#include "uninstall/SelfRemoval.h"
#include <cstdlib>
#include <cstring>

namespace {

// "-delself" trusts its second argument as the file to delete and the directory to remove: it
// must be the full path (drive or UNC) of an existing file, never a switch or a relative name.
bool isExistingFullPath(const char* path)
{
    bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                 path[1] == ':' && path[2] == '\\';
    bool unc = path[0] == '\\' && path[1] == '\\' && path[2] != '\0';
    if (!drive && !unc)
        return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string loadStringLimited(UINT id, int bufferSize)
{
    std::string text(bufferSize, '\0');
    int n = LoadStringA(GetModuleHandleA(nullptr), id, &text[0], bufferSize);
    text.resize(n > 0 ? n : 0);
    return text;
}

} // namespace

CSetupApp::CSetupApp() : CWinApp(nullptr)
{
}

bool CSetupApp::hasArgument(int from, const char* switchText) const
{
    for (int i = from; i < m_argc; i++) {
        if (equalsNoCase(m_argv[i], switchText))
            return true;
    }
    return false;
}

BOOL CSetupApp::InitInstance()
{
    m_argc = __argc;
    m_argv = __argv;

    setupSettings.silent = hasArgument(1, "-s");

    if (m_argc >= 3 && strcmp(m_argv[1], "-delself") == 0) {
        if (!isExistingFullPath(m_argv[2])) {
            m_nExitCode = kExitBadCommandLine;
            return FALSE;
        }
        selfRemovalPhase(m_argv[2]);
        return FALSE;
    }

    HINSTANCE self = GetModuleHandleA(nullptr);
    m_hInstance = self;
    AfxSetResourceHandle(self);

    std::string caption = loadStringLimited(IDS_SETUP_CAPTION, 128);

    bool installMode;
    if (m_argc >= 2 && equalsNoCase(m_argv[1], "-install")) {
        installMode = true;
    } else {
        char modulePath[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
        installMode = toLowerAnsi(modulePath).find("setup.exe") != std::string::npos;
    }

    std::string message = loadStringLimited(IDS_CONFIRM_UNINSTALL, 256);
    if (!installMode && !setupSettings.silent) {
        if (MessageBoxA(nullptr, message.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)
            != IDYES) {
            m_nExitCode = kExitUserCancelled;
            return FALSE;
        }
    }

    if (!askAboutRunningInstances(installMode, caption.c_str())) {
        m_nExitCode = kExitUserCancelled;
        return TRUE;
    }

    if (installMode) {
        BOOL stopped = runInstallDriver();
        if (stopped)
            m_nExitCode = kExitUserCancelled;
        else
            m_nExitCode = restartRequired() ? kExitRestartRequired : kExitSuccess;
        return stopped;
    }
    startTempUninstaller();
    m_nExitCode = kExitUninstallNotStarted;
    return FALSE;
}

// Closes the other registered instances, asking first in install mode. FALSE when the user
// declined (string 3 has been shown then).
BOOL CSetupApp::askAboutRunningInstances(bool installMode, const char* caption)
{
    int otherCount = instanceManager.countInstances() - 1;
    if (otherCount < 1)
        return TRUE;
    if (installMode && !hasArgument(2, "/s") && !hasArgument(2, "-s")) {
        char text[1024];
        if (otherCount == 1)
            lstrcpynA(text, loadStringLimited(IDS_ONE_INSTANCE_OPEN, 256).c_str(), sizeof text);
        else
            wsprintfA(text, loadStringLimited(IDS_INSTANCES_OPEN, 256).c_str(), otherCount);
        if (MessageBoxA(nullptr, text, caption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            MessageBoxA(nullptr, loadStringLimited(IDS_SETUP_ABORTED, 256).c_str(), caption,
                        MB_OK | MB_ICONINFORMATION);
            return FALSE;
        }
    }
    closeOtherInstances();
    return TRUE;
}
