// The stand-in application: a small window program that honours what the setup relies on from
// the real application. Its main window is top-level, unowned, titled "Lumetra ...", and closes
// without asking on WM_CLOSE with wParam 1001.
//
// For tests, when the environment names a record file in LMT_STANDIN_LOG, it appends one line per
// event: its start (process id, working directory, command line), each close request and each
// instance notice it receives.
#include "support/AppContract.h"
#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

void record(const char* format, ...)
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("LMT_STANDIN_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return;
    FILE* file = fopen(path, "a");
    if (!file)
        return;
    va_list args;
    va_start(args, format);
    fprintf(file, "pid=%lu ", GetCurrentProcessId());
    vfprintf(file, format, args);
    fputc('\n', file);
    va_end(args);
    fclose(file);
}

LRESULT CALLBACK mainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        record("close wparam=%lu", static_cast<unsigned long>(wParam));
        DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    if (message == contract::kInstanceAddedNotice || message == contract::kInstanceRemovedNotice) {
        record("notice %u lparam=%lu", message, static_cast<unsigned long>(lParam));
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    record("start cwd=%s cmdline=%s", cwd, GetCommandLineA());

    WNDCLASSA wc = {};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "LumetraStandInMain";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(wc.lpszClassName, "Lumetra 6", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              400, 300, nullptr, nullptr, hInstance, nullptr);
    if (!hWnd)
        return 1;
    ShowWindow(hWnd, nCmdShow);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    record("end");
    return 0;
}
