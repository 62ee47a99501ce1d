// Names from the device namespace and disk labels: entry names, "/devices" link targets, the
// device-id rules and the label's model text; then the same names and links served by a
// simulated host to the disk map, which reads the driver name from each link.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "FuzzSupport.h"
#include "devices/DeviceNames.h"
#include "devices/SolarisDiskMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::string name = in.ConsumeRandomLengthString(120);
    std::string link = in.ConsumeRandomLengthString(1100);
    std::vector<char> label = in.ConsumeBytes<char>(in.ConsumeIntegralInRange<size_t>(0, 128));
    bool throughHost = in.ConsumeBool();
    unsigned minor = in.ConsumeIntegral<uint16_t>();

    if (devices::isWholeDiskEntry(name)) devices::diskDeviceId(name);
    devices::partitionDeviceId(name);
    devices::acceptableName(name, in.ConsumeIntegralInRange<size_t>(0, 4));
    devices::physicalPath(link);
    devices::driverName(link);
    devices::devicesPart(link);
    devices::labelModel(label.data(), label.size());

    if (throughHost) {
        nlohmann::json entry = {{"dir", "dsk"}, {"name", name}, {"link", link},
                                {"node", {{"disk", "c0t0d0"}, {"minor", minor}, {"slice", 0}}}};
        nlohmann::json host = {{"disks", {{{"name", "c0t0d0"}, {"node", "/pci@1f,4000/scsi@3/sd@0,0"}, {"driver", "sd"}}}},
                               {"dev_entries", {entry}}};
        std::string description;
        try {
            description = host.dump();
        } catch (const nlohmann::json::exception&) {
            return 0;  // bytes that are not UTF-8: a description cannot carry them
        }
        fuzzsupport::useSimulatedHost(description);
        SolarisDiskMap map;
        map.getSDxNameFromMap(devices::partitionDeviceId(name));
        map.getDeviceIdFromMap("sd" + std::to_string(minor >> 3));
    }
    return 0;
}
