// Small pieces shared by the Windows test tools (each tool is a program of its own).
#pragma once
#include <windows.h>
#include <cstdio>
#include <string>

namespace tool {

// A window's text, read with WM_GETTEXT, which works across processes for standard controls.
inline std::string windowText(HWND hWnd)
{
    char text[4096] = "";
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

inline std::string className(HWND hWnd)
{
    char name[256] = "";
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

// Runs a command line as it stands, waits for it and prints "exit=N" with the full 32-bit exit
// code (a Linux parent sees only its low byte). The exit code, or -1 when it did not start.
inline long runAndReport(std::string commandLine, void* environment = nullptr)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, environment, nullptr, &si, &pi)) {
        printf("exit=start-failed error=%lu\n", GetLastError());
        fflush(stdout);
        return -1;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    printf("exit=%lu\n", code);
    fflush(stdout);
    return static_cast<long>(code);
}

} // namespace tool
