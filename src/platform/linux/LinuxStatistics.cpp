#include "linux/LinuxStatistics.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>

namespace linuxhost {

std::vector<CpuTicks> parseProcStat(const std::string& text) {
    std::vector<CpuTicks> cpus;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, 3, "cpu") != 0 || line.size() < 4 || line[3] < '0' || line[3] > '9') continue;
        std::istringstream fields(line.substr(3));
        CpuTicks t;
        fields >> t.id >> t.user >> t.nice >> t.system >> t.idle;
        if (!fields) continue;
        // Older kernels stop after idle; the later columns then count as zero.
        fields >> t.iowait >> t.irq >> t.softirq;
        cpus.push_back(t);
    }
    return cpus;
}

sol::cpu_stat_t cpuStat(const CpuTicks& t, long hz, long userHz) {
    auto ticks = [&](uint64_t value) {
        if (hz > 0 && userHz > 0 && hz != userHz) {
            value = static_cast<uint64_t>((static_cast<unsigned __int128>(value) * hz) / userHz);
        }
        return static_cast<sol::uint_t>(value);  // the Solaris counters are 32 bits wide and wrap
    };
    sol::cpu_stat_t stat{};
    stat.cpu_sysinfo.cpu[sol::CPU_USER] = ticks(t.user + t.nice);
    stat.cpu_sysinfo.cpu[sol::CPU_KERNEL] = ticks(t.system + t.irq + t.softirq);
    stat.cpu_sysinfo.cpu[sol::CPU_WAIT] = ticks(t.iowait);
    stat.cpu_sysinfo.cpu[sol::CPU_IDLE] = ticks(t.idle);
    stat.cpu_sysinfo.wait[sol::W_IO] = ticks(t.iowait);
    return stat;
}

std::vector<DiskStats> parseDiskstats(const std::string& text) {
    std::vector<DiskStats> disks;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        DiskStats d;
        uint64_t merged, readMs, writeMs;
        fields >> d.major >> d.minor >> d.name >> d.reads >> merged >> d.sectorsRead >> readMs >> d.writes >>
            merged >> d.sectorsWritten >> writeMs >> d.inFlight >> d.ioMs >> d.weightedMs;
        if (!fields) continue;
        disks.push_back(d);
    }
    return disks;
}

namespace {

// Milliseconds in nanoseconds, held at the largest time the record can carry.
sol::hrtime_t nanosOfMs(uint64_t ms) {
    constexpr sol::hrtime_t kNanosPerMs = 1000000;
    constexpr uint64_t kMaxMs = static_cast<uint64_t>(std::numeric_limits<sol::hrtime_t>::max() / kNanosPerMs);
    if (ms > kMaxMs) return std::numeric_limits<sol::hrtime_t>::max();
    return static_cast<sol::hrtime_t>(ms) * kNanosPerMs;
}

}  // namespace

sol::kstat_io_t diskIo(const DiskStats& d, sol::hrtime_t now) {
    sol::kstat_io_t io{};
    io.nread = d.sectorsRead * 512;
    io.nwritten = d.sectorsWritten * 512;
    io.reads = static_cast<sol::uint_t>(d.reads);
    io.writes = static_cast<sol::uint_t>(d.writes);
    // Linux keeps no separate wait queue: every request in flight is in service.
    io.rtime = nanosOfMs(d.ioMs);
    io.rlentime = nanosOfMs(d.weightedMs);
    io.rcnt = static_cast<sol::uint_t>(d.inFlight);
    io.wlastupdate = now;
    io.rlastupdate = now;
    return io;
}

std::map<int, double> parseCpuinfoMhz(const std::string& text) {
    std::map<int, double> mhz;
    std::istringstream in(text);
    std::string line;
    int processor = -1;
    while (std::getline(in, line)) {
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        const char* value = line.c_str() + colon + 1;
        if (key == "processor") {
            processor = static_cast<int>(std::strtol(value, nullptr, 10));
        } else if (key == "cpu MHz" && processor >= 0) {
            mhz[processor] = std::strtod(value, nullptr);
        }
    }
    return mhz;
}


}  // namespace linuxhost
