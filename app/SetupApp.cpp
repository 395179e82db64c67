#include "app/SetupApp.h"
#include "app/CommandLine.h"
#include "app/ExitCodes.h"
#include "app/InstallDriver.h"
#include "app/SetupSettings.h"
#include "install/FilePlacement.h"
#include "instances/CloseInstances.h"
#include "instances/InstanceManager.h"
#include "res/resource.h"
#include "uninstall/SelfRemoval.h"

namespace {

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

BOOL CSetupApp::InitInstance()
{
    m_argc = __argc;
    m_argv = __argv;

    setupSettings.silent = silentRequested(m_argc, m_argv);

    if (selfRemovalRequested(m_argc, m_argv)) {
        if (!isUninstallerPath(m_argv[2])) {
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

    char modulePath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    bool installMode = installModeRequested(m_argc, m_argv, modulePath);

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
    if (installMode && !instanceQuestionSkipped(m_argc, m_argv)) {
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
