// Readers of the Linux processor and disk statistics (/proc/stat, /proc/diskstats,
// /proc/cpuinfo), and their translation into the Solaris records.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sol/kstat.h"
#include "sol/sysinfo.h"

namespace linuxhost {

// One "cpuN" line of /proc/stat, in USER_HZ ticks.
struct CpuTicks {
    int id = -1;
    uint64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0;
};

// The per-processor lines of /proc/stat in file order (the "cpu" total line is left out).
std::vector<CpuTicks> parseProcStat(const std::string& text);

// The cpu_stat record of one processor: user+nice, system+irq+softirq, iowait and idle, each
// converted from `userHz` to `hz` ticks and cut to 32 bits as the Solaris counters wrap.
sol::cpu_stat_t cpuStat(const CpuTicks& ticks, long hz, long userHz);

// One line of /proc/diskstats.
struct DiskStats {
    unsigned major = 0, minor = 0;
    std::string name;
    uint64_t reads = 0, sectorsRead = 0, writes = 0, sectorsWritten = 0;
    uint64_t inFlight = 0, ioMs = 0, weightedMs = 0;
};

// The lines of /proc/diskstats; lines with fewer than the 14 classic columns are skipped.
std::vector<DiskStats> parseDiskstats(const std::string& text);

// The I/O record of a disk: bytes from 512-byte sectors, times from milliseconds to
// nanoseconds (held at the largest time a record carries); `now` (nanoseconds) stands for
// the last queue updates.
sol::kstat_io_t diskIo(const DiskStats& stats, sol::hrtime_t now);

// The clock rate in MHz of each "processor" block of /proc/cpuinfo that has a "cpu MHz" line.
std::map<int, double> parseCpuinfoMhz(const std::string& text);

// True when `n` lies in a kernel range list such as "0-3,6".


}  // namespace linuxhost
