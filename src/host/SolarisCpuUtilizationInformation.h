// CPU utilisation: the cumulative tick counters of each processor from cpu_stat.
#pragma once
#include <cstdint>
#include <vector>

struct CpuUtilInfo {
    int32_t id;  // the statistic's instance: the processor id
    int32_t user;
    int32_t kernel;
    int32_t wait;
    int32_t idle;
};

// One record per readable cpu_stat statistic, in chain order. Raises NativeError
// "kstat open failed.".
std::vector<CpuUtilInfo> getCpuUtilInfos();

// The record of processor `id`. Raises NativeError when the kernel statistics cannot be
// opened, or the processor has no cpu_stat statistic or it cannot be read.
CpuUtilInfo getCpuUtilInfo(int id);
