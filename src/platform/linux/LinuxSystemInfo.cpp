// sysinfo, uname and sysconf of the live Linux host, in the Solaris conventions.
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "SysinfoCopy.h"
#include "SystemInfoBackends.h"
#include "linux/LinuxFiles.h"
#include "sol/systeminfo.h"
#include "sol/unistd.h"

namespace sol::native {

namespace {

// The machine's model: the firmware's product name, or the device tree's model.
std::string platformName() {
    std::string name = linuxhost::firstLine("/sys/class/dmi/id/product_name");
    if (name.empty()) name = linuxhost::firstLine("/proc/device-tree/model");
    return name;
}

}  // namespace

int sysinfo(int command, char* buf, long count) {
    struct ::utsname u;
    if (::uname(&u) != 0) return -1;
    switch (command) {
    case SI_SYSNAME: return sysinfoCopy(u.sysname, buf, count);
    case SI_HOSTNAME: return sysinfoCopy(u.nodename, buf, count);
    case SI_RELEASE: return sysinfoCopy(u.release, buf, count);
    case SI_VERSION: return sysinfoCopy(u.version, buf, count);
    case SI_MACHINE: return sysinfoCopy(u.machine, buf, count);
    case SI_ARCHITECTURE: return sysinfoCopy(u.machine, buf, count);
    case SI_HW_SERIAL: return sysinfoCopy(std::to_string(static_cast<unsigned long>(::gethostid()) & 0xffffffffUL), buf, count);
    case SI_PLATFORM: {
        std::string name = platformName();
        if (name.empty()) break;
        return sysinfoCopy(name, buf, count);
    }
    default: break;
    }
    errno = EINVAL;
    return -1;
}

int uname(utsname* name) {
    struct ::utsname u;
    if (::uname(&u) != 0) return -1;
    fieldCopy(name->sysname, sizeof name->sysname, u.sysname);
    fieldCopy(name->nodename, sizeof name->nodename, u.nodename);
    fieldCopy(name->release, sizeof name->release, u.release);
    fieldCopy(name->version, sizeof name->version, u.version);
    fieldCopy(name->machine, sizeof name->machine, u.machine);
    return 1;
}

long sysconf(int name) {
    switch (name) {
    case sol::_SC_CLK_TCK: return ::sysconf(::_SC_CLK_TCK);
    case sol::_SC_PAGESIZE: return ::sysconf(::_SC_PAGESIZE);
    case sol::_SC_NPROCESSORS_CONF: return ::sysconf(::_SC_NPROCESSORS_CONF);
    case sol::_SC_NPROCESSORS_ONLN: return ::sysconf(::_SC_NPROCESSORS_ONLN);
    case sol::_SC_PHYS_PAGES: return ::sysconf(::_SC_PHYS_PAGES);
    case sol::_SC_AVPHYS_PAGES: return ::sysconf(::_SC_AVPHYS_PAGES);
    case sol::_SC_NPROCESSORS_MAX: return ::sysconf(::_SC_NPROCESSORS_CONF);
    case sol::_SC_CPUID_MAX: {
        long highest = linuxhost::highestInRangeList(linuxhost::firstLine("/sys/devices/system/cpu/possible"));
        if (highest >= 0) return highest;
        return ::sysconf(::_SC_NPROCESSORS_CONF) - 1;
    }
    default: break;
    }
    errno = EINVAL;
    return -1;
}

}  // namespace sol::native
