#include "standin/StandinRecord.h"
#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>

void record(const char* format, ...)
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("LMT_STANDIN_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return;
    // One write per line, so that the lines of several copies appending at once stay whole.
    char line[1024];
    int prefix = snprintf(line, sizeof line, "pid=%lu ", GetCurrentProcessId());
    va_list args;
    va_start(args, format);
    vsnprintf(line + prefix, sizeof line - prefix - 1, format, args);
    va_end(args);
    strcat(line, "\n");
    FILE* file = fopen(path, "ab");
    if (!file)
        return;
    fputs(line, file);
    fclose(file);
}
