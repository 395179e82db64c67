// A planted DLL: built under the names of DLLs a program may load by name, it records every load
// in C:\decoys-loaded.txt. The setup must never load one from its own folder.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char line[MAX_PATH + 2];
    DWORD n = GetModuleFileNameA(hInstance, line, MAX_PATH);
    line[n++] = '\r';
    line[n++] = '\n';
    HANDLE file = CreateFileA("C:\\decoys-loaded.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, line, n, &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}
