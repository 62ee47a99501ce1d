// The operating system's memory figures, in kilobytes.
#pragma once
#include <cstdint>

struct OsMemoryInfo {
    int64_t totalPhysicalMemory;
    int64_t freePhysicalMemory;
    int64_t totalSwap;
    int64_t freeSwap;
};

// Physical memory from sysconf; free memory and swap from two samples of unix:0:vminfo one
// second apart (free memory from sysconf when the statistic is missing). Raises NativeError
// "kstat open failed" when the kernel statistics cannot be opened.
OsMemoryInfo GetOSMemoryInfo();
