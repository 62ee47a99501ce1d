// processor_info of the live Linux host, from /sys/devices/system/cpu and /proc/cpuinfo.
#include <sys/utsname.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ProcessorBackends.h"
#include "SysinfoCopy.h"
#include "linux/LinuxFiles.h"
#include "linux/LinuxStatistics.h"

namespace sol::native {

namespace {

const std::string kCpuDir = "/sys/devices/system/cpu/";

// The clock rate in MHz: the highest rate the frequency driver knows, else the rate the
// processor reports in /proc/cpuinfo, else 0.
int clockMhz(processorid_t id) {
    std::string khz = linuxhost::firstLine(kCpuDir + "cpu" + std::to_string(id) + "/cpufreq/cpuinfo_max_freq");
    if (!khz.empty()) return static_cast<int>(std::lround(std::strtod(khz.c_str(), nullptr) / 1000.0));
    auto mhz = linuxhost::parseCpuinfoMhz(linuxhost::readFile("/proc/cpuinfo"));
    auto it = mhz.find(id);
    return it == mhz.end() ? 0 : static_cast<int>(std::lround(it->second));
}

}  // namespace

int processor_info(processorid_t processorid, processor_info_t* infop) {
    if (processorid < 0 || !linuxhost::inRangeList(linuxhost::firstLine(kCpuDir + "present"), processorid)) {
        errno = EINVAL;
        return -1;
    }
    if (infop == nullptr) {
        errno = EFAULT;
        return -1;
    }
    std::memset(infop, 0, sizeof *infop);
    // The online file is missing for processors that cannot be taken offline: those are online.
    std::string online = linuxhost::firstLine(kCpuDir + "cpu" + std::to_string(processorid) + "/online");
    infop->pi_state = online == "0" ? P_OFFLINE : P_ONLINE;
    struct ::utsname u;
    if (::uname(&u) == 0) fieldCopy(infop->pi_processor_type, sizeof infop->pi_processor_type, u.machine);
    infop->pi_clock = clockMhz(processorid);
    return 0;
}

}  // namespace sol::native
