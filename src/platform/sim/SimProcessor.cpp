// processor_info of the simulated host: its `processors` section.
#include <cerrno>
#include <cstring>
#include <string>
#include <unordered_map>

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

// The first processor listed under each id.
struct ProcessorIndex {
    explicit ProcessorIndex(const sim::Host& host) {
        const sim::json& section = host.section("processors");
        if (!section.is_array()) return;
        for (const sim::json& p : section) byId.emplace(sim::number<long long>(p, "id", -1), &p);
    }
    std::unordered_map<long long, const sim::json*> byId;
};

}  // namespace

int processor_info(processorid_t processorid, processor_info_t* infop) {
    auto host = sim::host();
    if (host) {
        auto index = host->derived<ProcessorIndex>(
            [](const sim::Host& h) { return std::make_shared<const ProcessorIndex>(h); });
        auto found = index->byId.find(processorid);
        if (found != index->byId.end()) {
            const sim::json& p = *found->second;
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
