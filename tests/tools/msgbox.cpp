// msgbox FLAGS ID|"text:..." [--owner]: shows the framework's message box with the given type
// flags (hexadecimal) and prints "result=N". With --owner a modeless wizard frame is shown first,
// so the box has an active window to belong to.
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "res/resource.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3) {
        fputs("usage: msgbox FLAGS ID|text:TEXT [--owner]\n", stderr);
        return 2;
    }
    UINT flags = static_cast<UINT>(strtoul(argv[1], nullptr, 16));
    CDialog frame(IDD_SETUP);
    if (argc > 3 && !strcmp(argv[3], "--owner")) {
        frame.Create(IDD_SETUP, nullptr);
        ShowWindow(frame.m_hWnd, SW_SHOW);
        SetActiveWindow(frame.m_hWnd);
    }
    int result;
    if (!strncmp(argv[2], "text:", 5))
        result = AfxMessageBox(argv[2] + 5, flags);
    else
        result = AfxMessageBox(static_cast<UINT>(atoi(argv[2])), flags);
    printf("result=%d\n", result);
    return 0;
}
