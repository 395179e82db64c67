// loadbyname [--restricted] NAME...: loads DLLs by bare name, as an unprotected program would, or
// after restricting the search to the system folder as the setup does. It shows whether a planted
// DLL beside a program is really loaded under this Wine.
#include "support/SystemDll.h"
#include <windows.h>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    int first = 1;
    if (argc > 1 && !strcmp(argv[1], "--restricted")) {
        restrictDllSearchToSystem();
        first = 2;
    }
    for (int i = first; i < argc; i++)
        printf("%s %s\n", argv[i], LoadLibraryA(argv[i]) ? "loaded" : "not loaded");
    return 0;
}
