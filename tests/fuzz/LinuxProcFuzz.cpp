// The live Linux backend's readers of /proc and /sys text, with any content, and their
// translation into the Solaris records.
#include <cstdint>
#include <string>

#include "linux/LinuxFiles.h"
#include "linux/LinuxStatistics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& ticks : linuxhost::parseProcStat(text)) {
        linuxhost::cpuStat(ticks, 100, 100);
        linuxhost::cpuStat(ticks, 1000, 100);
        linuxhost::cpuStat(ticks, 100, 1000);
    }
    for (const auto& disk : linuxhost::parseDiskstats(text)) {
        sol::kstat_io_t io = linuxhost::diskIo(disk, 1);
        if (io.rtime < 0 || io.rlentime < 0) __builtin_trap();
    }
    linuxhost::parseCpuinfoMhz(text);
    linuxhost::parseMeminfo(text);
    linuxhost::parseRangeList(text);
    linuxhost::highestInRangeList(text);
    linuxhost::inRangeList(text, 3);
    return 0;
}
