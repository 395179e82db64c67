// The process-wide objects that the setup's code expects, for test programs. The instance
// manager uses a name of its own, so a test program never shows up in a real instance list.
#include "app/SetupSettings.h"
#include "instances/InstanceManager.h"
#include <string>

COXInstanceManager instanceManager("Orvanta.Lumetra-Max.v4.unittest");
SetupSettings setupSettings;
std::string g_strNextCaption;
std::string g_strCancelCaption;
