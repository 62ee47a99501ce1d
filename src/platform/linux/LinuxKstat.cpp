// The kernel statistics of the live Linux host, as a chain built by the layer: the virtual
// memory sums, one cpu_stat per processor and the I/O statistics of the block devices.
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "KstatChain.h"
#include "linux/LinuxDisks.h"
#include "linux/LinuxFiles.h"
#include "linux/LinuxStatistics.h"
#include "sol/sysinfo.h"

namespace sol::native {

namespace {

// unix:0:vminfo from /proc/meminfo. Linux keeps no running sums, so the sums integrate the
// current page counts over time (counts times elapsed seconds), as the Solaris kernel adds
// them once a second: the difference of two reads one second apart is the current count.
class VminfoSource : public KstatSource {
public:
    bool read(void* data, size_t size) override {
        auto meminfo = linuxhost::parseMeminfo(linuxhost::readFile("/proc/meminfo"));
        if (meminfo.empty()) {
            errno = EIO;
            return false;
        }
        uint64_t pageKb = static_cast<uint64_t>(::sysconf(::_SC_PAGESIZE)) / 1024;
        if (pageKb == 0) pageKb = 1;
        auto pages = [&](uint64_t kb) { return kb / pageKb; };
        uint64_t committed = meminfo["Committed_AS"], limit = meminfo["CommitLimit"];
        vminfo_t now{};
        now.freemem = pages(meminfo["MemFree"]);
        now.swap_resv = pages(committed);
        now.swap_alloc = pages(meminfo["SwapTotal"] - meminfo["SwapFree"]);
        now.swap_avail = pages(limit > committed ? limit - committed : 0);
        now.swap_free = pages(meminfo["SwapFree"] + meminfo["MemAvailable"]);

        std::lock_guard<std::mutex> lock(mutex());
        integrate(now);
        std::memcpy(data, &sums(), size < sizeof(vminfo_t) ? size : sizeof(vminfo_t));
        return true;
    }

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static vminfo_t& sums() {
        static vminfo_t s{};
        return s;
    }
    static void integrate(const vminfo_t& now) {
        static long long last = -1;
        struct timespec ts;
        clock_gettime(CLOCK_BOOTTIME, &ts);
        long long nanos = static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
        long long elapsed = last < 0 ? nanos : nanos - last;  // the first read counts since boot
        last = nanos;
        auto add = [elapsed](uint64_t& sum, uint64_t count) {
            sum += static_cast<uint64_t>((static_cast<unsigned __int128>(count) * elapsed) / 1000000000ULL);
        };
        vminfo_t& s = sums();
        add(s.freemem, now.freemem);
        add(s.swap_resv, now.swap_resv);
        add(s.swap_alloc, now.swap_alloc);
        add(s.swap_avail, now.swap_avail);
        add(s.swap_free, now.swap_free);
    }
};

// cpu_stat:N:cpu_statN from the processor's line of /proc/stat.
class CpuStatSource : public KstatSource {
public:
    explicit CpuStatSource(int id) : id_(id) {}
    bool read(void* data, size_t size) override {
        for (const auto& ticks : linuxhost::parseProcStat(linuxhost::readFile("/proc/stat"))) {
            if (ticks.id != id_) continue;
            // /proc/stat counts in USER_HZ, which is what sysconf reports as the clock rate.
            long hz = ::sysconf(::_SC_CLK_TCK);
            cpu_stat_t stat = linuxhost::cpuStat(ticks, hz, hz);
            std::memcpy(data, &stat, size < sizeof stat ? size : sizeof stat);
            return true;
        }
        errno = ENXIO;  // the processor went offline since the chain was made
        return false;
    }

private:
    int id_;
};

// The I/O statistics of one block device from its line of /proc/diskstats.
class DiskIoSource : public KstatSource {
public:
    explicit DiskIoSource(std::string name) : name_(std::move(name)) {}
    bool read(void* data, size_t size) override {
        for (const auto& d : linuxhost::parseDiskstats(linuxhost::readFile("/proc/diskstats"))) {
            if (d.name != name_) continue;
            struct timespec ts;
            clock_gettime(CLOCK_MONOTONIC, &ts);
            kstat_io_t io = linuxhost::diskIo(d, static_cast<hrtime_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
            std::memcpy(data, &io, size < sizeof io ? size : sizeof io);
            return true;
        }
        errno = ENXIO;  // the device went away since the chain was made
        return false;
    }

private:
    std::string name_;
};

// The statistic names of the host's disks and of their partitions that have a slice, by
// Linux name: the disks' driver-instance names (sd0, vd1) and "sd0,a" for slice 0.
struct StatisticName {
    std::string module, name;
    int instance;
    bool partition;
};

std::map<std::string, StatisticName> statisticNames() {
    std::map<std::string, StatisticName> names;
    for (const auto& disk : linuxhost::liveDisks()) {
        if (disk.genericOnly) continue;
        std::string base = disk.driver + std::to_string(disk.instance);
        names[disk.linuxName] = {disk.driver, base, static_cast<int>(disk.instance), false};
        for (int slice : {0, 1, 3, 4, 5, 6, 7}) {
            std::string node = linuxhost::linuxNodeOfSlice(disk, slice);
            if (node.empty()) continue;
            names[node.substr(node.rfind('/') + 1)] = {disk.driver, base + "," + static_cast<char>('a' + slice),
                                                       static_cast<int>(disk.instance), true};
        }
    }
    return names;
}

}  // namespace

kstat_ctl_t* kstat_open() {
    auto chain = std::make_unique<KstatChain>();
    chain->add("unix", 0, "vminfo", "vm", KSTAT_TYPE_RAW, sizeof(vminfo_t), 1, std::make_unique<VminfoSource>());
    for (const auto& cpu : linuxhost::parseProcStat(linuxhost::readFile("/proc/stat"))) {
        std::string name = "cpu_stat" + std::to_string(cpu.id);
        chain->add("cpu_stat", cpu.id, name.c_str(), "misc", KSTAT_TYPE_RAW, sizeof(cpu_stat_t), 1,
                   std::make_unique<CpuStatSource>(cpu.id));
    }
    // The disks of the device namespace, of class "disk", and their slices' partitions, of
    // class "partition", named as on Solaris; other block devices are no disks there.
    auto names = statisticNames();
    for (const auto& d : linuxhost::parseDiskstats(linuxhost::readFile("/proc/diskstats"))) {
        auto named = names.find(d.name);
        if (named == names.end()) continue;
        const StatisticName& n = named->second;
        chain->add(n.module.c_str(), n.instance, n.name.c_str(), n.partition ? "partition" : "disk", KSTAT_TYPE_IO,
                   sizeof(kstat_io_t), 1, std::make_unique<DiskIoSource>(d.name));
    }
    return openLayerChain(std::move(chain));
}

// Only layer chains exist on Linux; the dispatcher never hands these a foreign handle.
int kstat_close(kstat_ctl_t* kc) { return closeLayerChain(kc); }
kstat_t* kstat_lookup(kstat_ctl_t* kc, const char* module, int instance, const char* name) {
    return lookupLayerChain(kc, module, instance, name);
}
kid_t kstat_read(kstat_ctl_t* kc, kstat_t* ksp, void* buf) { return readLayerChain(kc, ksp, buf); }

}  // namespace sol::native
