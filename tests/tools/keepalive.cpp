// Keeps a Wine session alive for a test run: touches the window station, so the desktop process
// starts now (with this program's /dev/null streams) rather than inside a test, writes the ready
// file named by its argument, then sleeps until its session is stopped (at most two hours).
#include <windows.h>
#include <cstdio>

int main(int argc, char** argv)
{
    GetDesktopWindow();
    HWND hWnd = CreateWindowA("STATIC", "keepalive", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (argc > 1) {
        FILE* ready = fopen(argv[1], "w");
        if (ready)
            fclose(ready);
    }
    for (int i = 0; i < 2 * 3600; i++)
        Sleep(1000);
    if (hWnd)
        DestroyWindow(hWnd);
    return 0;
}
