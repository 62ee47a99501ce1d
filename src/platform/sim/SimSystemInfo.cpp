// sysinfo, uname and sysconf of the simulated host.
#include <cerrno>
#include <cstring>

#include "SysinfoCopy.h"
#include "SystemInfoBackends.h"
#include "sim/SimHost.h"
#include "sol/systeminfo.h"
#include "sol/unistd.h"

namespace sol::simulated {

namespace {

const char* sysinfoKey(int command) {
    switch (command) {
    case SI_SYSNAME: return "sysname";
    case SI_HOSTNAME: return "hostname";
    case SI_RELEASE: return "release";
    case SI_VERSION: return "version";
    case SI_MACHINE: return "machine";
    case SI_ARCHITECTURE: return "architecture";
    case SI_PLATFORM: return "platform";
    default: return nullptr;
    }
}

}  // namespace

int sysinfo(int command, char* buf, long count) {
    auto host = sim::host();
    const char* key = sysinfoKey(command);
    if (!host || key == nullptr) {
        errno = EINVAL;
        return -1;
    }
    const auto& section = host->section("sysinfo");
    if (sim::listed(section.is_object() ? section.value("fail", sim::json()) : sim::json(), key)) {
        errno = EINVAL;
        return -1;
    }
    return sysinfoCopy(sim::text(section, key), buf, count);
}

int uname(utsname* name) {
    auto host = sim::host();
    if (!host) {
        errno = EFAULT;
        return -1;
    }
    const auto& section = host->section("uname");
    if (section.is_object() && section.value("fail", false)) {
        errno = EFAULT;
        return -1;
    }
    // Fields not given default to the matching sysinfo fields.
    const auto& info = host->section("sysinfo");
    fieldCopy(name->sysname, sizeof name->sysname, sim::text(section, "sysname", sim::text(info, "sysname")));
    fieldCopy(name->nodename, sizeof name->nodename, sim::text(section, "nodename", sim::text(info, "hostname")));
    fieldCopy(name->release, sizeof name->release, sim::text(section, "release", sim::text(info, "release")));
    fieldCopy(name->version, sizeof name->version, sim::text(section, "version", sim::text(info, "version")));
    fieldCopy(name->machine, sizeof name->machine, sim::text(section, "machine", sim::text(info, "machine")));
    return 1;
}

long sysconf(int name) {
    auto host = sim::host();
    const char* key = nullptr;
    switch (name) {
    case _SC_PAGESIZE: key = "pagesize"; break;
    case _SC_PHYS_PAGES: key = "phys_pages"; break;
    case _SC_AVPHYS_PAGES: key = "avphys_pages"; break;
    case _SC_NPROCESSORS_CONF: key = "nprocessors_conf"; break;
    case _SC_CPUID_MAX: key = "cpuid_max"; break;
    default: break;
    }
    if (!host || key == nullptr) {
        errno = EINVAL;
        return -1;
    }
    const auto& section = host->section("sysconf");
    if (!section.is_object() || !section.contains(key) || section[key].is_null()) {
        errno = EINVAL;
        return -1;
    }
    return section[key].get<long>();
}

}  // namespace sol::simulated
