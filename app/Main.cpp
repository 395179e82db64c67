// The entry point and the process-wide objects, in the order they are built. At a normal end
// (or exit) they are destroyed in the reverse order; the instance manager goes last and takes
// the process off the instance list.
#include "app/SetupApp.h"
#include "app/SetupSettings.h"
#include "instances/InstanceManager.h"
#include "support/AppContract.h"
#include "support/SystemDll.h"
#include "wizard/WizardCaptions.h"

// Before any constructor below, and before anything can load a DLL by name.
__attribute__((constructor(101))) static void restrictDllSearchAtStart()
{
    restrictDllSearchToSystem();
}

COXInstanceManager instanceManager(contract::kInstanceName);
CSetupApp theApp;
SetupSettings setupSettings;
std::string g_strNextCaption;
std::string g_strCancelCaption;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
