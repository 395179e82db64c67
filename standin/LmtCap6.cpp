// The stand-in application: a small window program that honours what the setup relies on from
// the real application. It takes part in the instance list under the application's instance
// name; its main window is top-level, unowned, titled "Lumetra 6", and closes without asking on
// WM_CLOSE with wParam 1001.
//
// For tests, when the environment names a record file in LMT_STANDIN_LOG, it appends one line per
// event: its start (process id, working directory, command line), each image extension it takes
// over, each close request and each instance notice it receives, and its end.
//
// "-takeover EXT..." takes over the named image extensions the way the application does, then
// ends, or stays running with "-stay".
#include "instances/InstanceManager.h"
#include "standin/ImageTakeover.h"
#include "standin/StandinRecord.h"
#include "support/AppContract.h"
#include "support/Paths.h"
#include <windows.h>
#include <cstdlib>

// Registered before the window exists and unregistered after the message loop has ended (also
// when the process ends through exit).
COXInstanceManager instanceManager(contract::kInstanceName);

namespace {

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

// Takes over the extensions that follow "-takeover" (up to the next switch). True when the
// command line asks for it.
bool runTakeover(bool& stay)
{
    bool takeover = false;
    stay = false;
    for (int i = 1; i < __argc; i++) {
        if (equalsNoCase(__argv[i], "-stay"))
            stay = true;
        if (!equalsNoCase(__argv[i], "-takeover"))
            continue;
        takeover = true;
        for (int j = i + 1; j < __argc && __argv[j][0] != '-'; j++) {
            if (takeOverExtension(__argv[j]))
                record("takeover %s", __argv[j]);
            else
                record("takeover-failed %s", __argv[j]);
        }
    }
    return takeover;
}

int runMainWindow(HINSTANCE hInstance, int nCmdShow)
{
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
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    record("start cwd=%s cmdline=%s", cwd, GetCommandLineA());

    bool stay = false;
    int result = 0;
    if (!runTakeover(stay) || stay)
        result = runMainWindow(hInstance, nCmdShow);
    record("end");
    return result;
}
