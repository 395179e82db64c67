// inst_member: a participant in an instance list, for the instance tests.
//
//   inst_member [--name NAME] [--window TITLE] [--owned] [--tool] [--log FILE] [--stop FILE]
//               [--timeout SECONDS] [--crash] [--unregistered]
//
// Registers under NAME (the application's instance name by default) with the same code as the
// setup, then shows a top-level window titled TITLE when one is named: --owned makes it owned by
// a second window of its own, --tool makes it a tool window. It records "pid=N ready" once its
// window exists, every notice and close request it receives, and "pid=N end", in FILE. It leaves
// the list and ends when the file named by --stop appears, when it is asked to close, or after
// the time-out (60 s by default). --crash ends it at that point without leaving the list (a
// stale id); --unregistered makes an unrelated process that never joins the list.
#include "instances/InstanceManager.h"
#include "standin/StandinRecord.h"
#include "support/AppContract.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct Options {
    std::string name = contract::kInstanceName;
    std::string title;
    bool owned = false;
    bool tool = false;
    std::string log;
    std::string stop;
    int timeoutSeconds = 60;
    bool crash = false;
    bool unregistered = false;
};

Options g_options;

// The record file, opened once for appending: a close request is followed by a termination within
// milliseconds, so recording it must cost no more than one write.
HANDLE recordFile()
{
    static HANDLE file = g_options.log.empty()
                             ? INVALID_HANDLE_VALUE
                             : CreateFileA(g_options.log.c_str(), FILE_APPEND_DATA,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file;
}

void recordEvent(const char* format, unsigned long a = 0, unsigned long b = 0)
{
    char line[256];
    int n = snprintf(line, sizeof line, "pid=%lu ", GetCurrentProcessId());
    n += snprintf(line + n, sizeof line - n - 1, format, a, b);
    line[n++] = '\n';
    appendRecordLine(recordFile(), line, static_cast<DWORD>(n));
}

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--name" && hasValue)
            options.name = argv[++i];
        else if (arg == "--window" && hasValue)
            options.title = argv[++i];
        else if (arg == "--log" && hasValue)
            options.log = argv[++i];
        else if (arg == "--stop" && hasValue)
            options.stop = argv[++i];
        else if (arg == "--timeout" && hasValue)
            options.timeoutSeconds = atoi(argv[++i]);
        else if (arg == "--owned")
            options.owned = true;
        else if (arg == "--tool")
            options.tool = true;
        else if (arg == "--crash")
            options.crash = true;
        else if (arg == "--unregistered")
            options.unregistered = true;
        else
            return false;
    }
    return true;
}

LRESULT CALLBACK windowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        recordEvent("close wparam=%lu", static_cast<unsigned long>(wParam));
        PostQuitMessage(0);
        return 0;
    }
    if (message == contract::kInstanceAddedNotice || message == contract::kInstanceRemovedNotice) {
        recordEvent("notice %lu lparam=%lu", message, static_cast<unsigned long>(lParam));
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void createWindows()
{
    if (g_options.title.empty())
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "InstMemberWindow";
    RegisterClassA(&wc);
    HWND owner = nullptr;
    if (g_options.owned)
        owner = CreateWindowA(wc.lpszClassName, "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              wc.hInstance, nullptr);
    DWORD exStyle = g_options.tool ? WS_EX_TOOLWINDOW : 0;
    CreateWindowExA(exStyle, wc.lpszClassName, g_options.title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, owner,
                    nullptr, wc.hInstance, nullptr);
}

// Pumps messages until asked to close, the stop file appears, or the time runs out.
void runUntilStopped()
{
    DWORD deadline = GetTickCount() + static_cast<DWORD>(g_options.timeoutSeconds) * 1000;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            DispatchMessageA(&msg);
        }
        if (!g_options.stop.empty() && GetFileAttributesA(g_options.stop.c_str()) != INVALID_FILE_ATTRIBUTES)
            return;
        if (static_cast<LONG>(GetTickCount() - deadline) >= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!parseOptions(argc, argv, g_options)) {
        fprintf(stderr, "inst_member: bad arguments\n");
        return 2;
    }
    std::unique_ptr<COXInstanceManager> manager;
    if (!g_options.unregistered)
        manager.reset(new COXInstanceManager(g_options.name.c_str()));
    createWindows();
    recordEvent("ready");
    runUntilStopped();
    if (g_options.crash)
        TerminateProcess(GetCurrentProcess(), 3);
    manager.reset();
    recordEvent("end");
    if (recordFile() != INVALID_HANDLE_VALUE)
        CloseHandle(recordFile());
    return 0;
}
