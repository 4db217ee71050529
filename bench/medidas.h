#pragma once

// What the benchmarks share.

#include <sys/resource.h>

// The CPU time the process has used so far, user and system, in seconds.
inline double segundosDeCpu() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
           double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}
