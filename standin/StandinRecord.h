// The stand-in's record for tests: when the environment names a file in LMT_STANDIN_LOG, each
// event appends one line "pid=N <event>" to it.
#pragma once

void record(const char* format, ...) __attribute__((format(printf, 1, 2)));
