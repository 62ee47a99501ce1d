// The kernel statistics of the live Linux host, as a chain built by the layer.
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "KstatChain.h"
#include "linux/LinuxFiles.h"
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

}  // namespace

kstat_ctl_t* kstat_open() {
    auto chain = std::make_unique<KstatChain>();
    chain->add("unix", 0, "vminfo", "vm", KSTAT_TYPE_RAW, sizeof(vminfo_t), 1, std::make_unique<VminfoSource>());
    return openLayerChain(std::move(chain));
}

// Only layer chains exist on Linux; the dispatcher never hands these a foreign handle.
int kstat_close(kstat_ctl_t* kc) { return closeLayerChain(kc); }
kstat_t* kstat_lookup(kstat_ctl_t* kc, const char* module, int instance, const char* name) {
    return lookupLayerChain(kc, module, instance, name);
}
kid_t kstat_read(kstat_ctl_t* kc, kstat_t* ksp, void* buf) { return readLayerChain(kc, ksp, buf); }

}  // namespace sol::native
