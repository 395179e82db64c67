#include "standin/StandinRecord.h"
#include "support/Scoped.h"
#include <windows.h>
#include <cstdarg>
#include <cstdio>

namespace {

// Opened once, for appending: a close request is followed by a termination within milliseconds,
// so recording it must cost no more than one write. Appending through one write per line also
// keeps the lines of several copies whole.
HANDLE recordFile()
{
    static ScopedFileHandle file;
    static bool opened = false;
    if (!opened) {
        opened = true;
        char path[MAX_PATH];
        DWORD n = GetEnvironmentVariableA("LMT_STANDIN_LOG", path, sizeof path);
        if (n > 0 && n < sizeof path)
            file.Attach(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return file.Get();
}

} // namespace

void record(const char* format, ...)
{
    HANDLE file = recordFile();
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[1024];
    int prefix = snprintf(line, sizeof line, "pid=%lu ", GetCurrentProcessId());
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line + prefix, sizeof line - prefix - 1, format, args);
    va_end(args);
    int length = prefix + (n < 0 ? 0 : n);
    if (length > static_cast<int>(sizeof line) - 2)
        length = sizeof line - 2;
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
}
