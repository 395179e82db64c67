#include "uninstall/SelfRemoval.h"

void startTempUninstaller()
{
    // Not built yet: the self-removal comes with the uninstall.
}

void selfRemovalPhase(const std::string&)
{
    // Not built yet: the self-removal comes with the uninstall.
}
