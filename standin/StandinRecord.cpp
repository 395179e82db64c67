#include "standin/StandinRecord.h"
#include "support/Scoped.h"
#include <windows.h>
#include <cstdarg>
#include <cstdio>

namespace {

// Opened once, for appending: a close request is followed by a termination within milliseconds,
// so recording it must cost no more than one write.
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

void appendRecordLine(HANDLE file, const char* line, DWORD length)
{
    // A recording process is terminated within milliseconds of a close request, possibly while it
    // owns the mutex: an abandoned mutex is owned all the same. The wait is bounded so that a
    // record can never stop the process that makes it.
    static ScopedKernelHandle mutex(CreateMutexA(nullptr, FALSE, "LmtStandinRecordAppend"));
    DWORD wait = mutex.Get() ? WaitForSingleObject(mutex.Get(), 2000) : WAIT_FAILED;
    DWORD written = 0;
    WriteFile(file, line, length, &written, nullptr);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(mutex.Get());
}

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
    appendRecordLine(file, line, static_cast<DWORD>(length));
}
