// The stand-in's record for tests: when the environment names a file in LMT_STANDIN_LOG, each
// event appends one line "pid=N <event>" to it.
#pragma once
#include <windows.h>

// Appends LENGTH bytes to FILE (opened for appending) while no other recording process writes.
// Appending is not atomic between processes under Wine: two copies writing at the same moment
// (both told of the same departure, say) can land on the same offset, and one line is lost.
void appendRecordLine(HANDLE file, const char* line, DWORD length);

void record(const char* format, ...) __attribute__((format(printf, 1, 2)));
