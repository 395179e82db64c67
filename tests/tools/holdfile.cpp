// holdfile PATH READYFILE: holds PATH open with share mode 0 (so it can be neither deleted, moved
// nor overwritten), creates READYFILE, then waits until it is ended (at most two minutes).
#include <windows.h>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        fputs("usage: holdfile PATH READYFILE\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "holdfile: cannot open %s (%lu)\n", argv[1], GetLastError());
        return 1;
    }
    FILE* ready = fopen(argv[2], "w");
    if (ready)
        fclose(ready);
    Sleep(120000);
    CloseHandle(file);
    return 0;
}
