// exitcode COMMAND LINE...: runs the rest of its own command line as it stands, waits for the
// program, prints "exit=N" with the full 32-bit exit code (a Linux parent sees only its low
// byte) and returns that low byte too.
#include <windows.h>
#include <cstdio>

static const char* restOfCommandLine()
{
    const char* p = GetCommandLineA();
    if (*p == '"') {
        for (p++; *p && *p != '"'; p++) {
        }
        if (*p)
            p++;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            p++;
    }
    while (*p == ' ' || *p == '\t')
        p++;
    return p;
}

int main()
{
    char commandLine[32768];
    lstrcpynA(commandLine, restOfCommandLine(), sizeof commandLine);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        printf("exit=start-failed error=%lu\n", GetLastError());
        return 255;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    printf("exit=%lu\n", code);
    fflush(stdout);
    return static_cast<int>(code & 0xFF);
}
