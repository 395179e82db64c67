#include "instances/InstanceWindow.h"
#include "support/AppContract.h"
#include <cstring>

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

bool isInstanceWindow(HWND hWnd, DWORD processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(hWnd, &owner);
    if (owner != processId)
        return false;
    if (GetWindow(hWnd, GW_OWNER) != nullptr)
        return false;
    if (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        return false;
    char title[512] = "";
    GetWindowTextA(hWnd, title, sizeof title);
    const char* prefix = contract::kMainWindowTitlePrefix;
    return strncmp(title, prefix, strlen(prefix)) == 0;
}

BOOL CALLBACK inspectWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    if (!isInstanceWindow(hWnd, search->processId))
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

} // namespace

HWND findInstanceWindow(DWORD processId)
{
    WindowSearch search = {processId, nullptr};
    EnumWindows(inspectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
