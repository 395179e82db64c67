#include "app/SetupSettings.h"
#include "support/Scoped.h"

SetupSettings::SetupSettings()
{
    isWow64ProcessFn = procAddress<IsWow64ProcessFn>(GetModuleHandleA("kernel32"), "IsWow64Process");
}
