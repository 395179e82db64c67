// exitcode COMMAND LINE...: runs the rest of its own command line as it stands, waits for the
// program, prints "exit=N" with the full 32-bit exit code (a Linux parent sees only its low
// byte) and returns that low byte too.
#include "tests/tools/ToolCommon.h"
#include <windows.h>

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
    long code = tool::runAndReport(restOfCommandLine());
    return code < 0 ? 255 : static_cast<int>(code & 0xFF);
}
