// processor_info of the simulated host: its `processors` section.
#include <cerrno>
#include <cstring>
#include <string>

#include "ProcessorBackends.h"
#include "SysinfoCopy.h"
#include "sim/SimHost.h"

namespace sol::simulated {

namespace {

int stateOf(const std::string& state) {
    if (state == "online") return P_ONLINE;
    if (state == "no-intr") return P_NOINTR;
    if (state == "spare") return P_SPARE;
    if (state == "faulted") return P_FAULTED;
    if (state == "powered-off") return P_POWEROFF;
    return P_OFFLINE;
}

}  // namespace

int processor_info(processorid_t processorid, processor_info_t* infop) {
    auto host = sim::host();
    const sim::json& section = host ? host->section("processors") : sim::json();
    if (section.is_array()) {
        for (const sim::json& p : section) {
            if (sim::number<long long>(p, "id", -1) != processorid) continue;
            if (infop == nullptr) {
                errno = EFAULT;
                return -1;
            }
            std::memset(infop, 0, sizeof *infop);
            infop->pi_state = stateOf(p.value("state", std::string("online")));
            fieldCopy(infop->pi_processor_type, sizeof infop->pi_processor_type, sim::text(p, "type"));
            infop->pi_clock = sim::number<int>(p, "clock");
            return 0;
        }
    }
    errno = EINVAL;
    return -1;
}

}  // namespace sol::simulated
