#include "app/WebAddress.h"
#include <windows.h>
#include <shellapi.h>

void openWebAddress(const std::string& address)
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // NOASYNC: the setup ends right after this call; a handler reached by DDE must have had its
    // request before the process goes.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = nullptr;
    info.lpVerb = "open";
    info.lpFile = address.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExA(&info);
}
