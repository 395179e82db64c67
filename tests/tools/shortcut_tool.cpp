// shortcut_tool INSTALLDIR LINK TARGET [WORKDIR]: one createShortcut call with the installed log
// in INSTALLDIR; prints "hr=0x........".
#include "app/SetupSettings.h"
#include "install/Shortcuts.h"
#include <cstdio>

SetupSettings setupSettings;

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        fprintf(stderr, "usage: shortcut_tool INSTALLDIR LINK TARGET [WORKDIR]\n");
        return 2;
    }
    setupSettings.installDir = argv[1];
    HRESULT hr = createShortcut(argv[3], argv[2], argc == 5 ? argv[4] : nullptr);
    printf("hr=0x%08lx\n", static_cast<unsigned long>(hr));
    return 0;
}
