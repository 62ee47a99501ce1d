// What an adapter vendor library hands back: text fields of any bytes (cleaning, bus numbers,
// device names), world-wide names, FCP LUNs, and a mapping table of any stated size. The
// device namespace is a small simulated host, so names under "/devices" are followed through
// the "/dev/rdsk" links.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "kelda/common/hba/InstanceRecipe.h"
#include "kelda/common/hba/TargetMapping.h"

namespace {

// The vendor library's answers to the two mapping calls of one fetch.
struct MappingAnswer {
    HBA_STATUS status[2];
    HBA_UINT32 count[2];
    std::vector<uint8_t> bytes;
    int calls = 0;
};
MappingAnswer* answer = nullptr;

// A vendor library that keeps to its contract: entries only within the room it is given,
// with whatever count and status it chooses to report.
HBA_STATUS fetchMapping(HBA_HANDLE, HBA_FCPTARGETMAPPING* table) {
    int call = answer->calls < 2 ? answer->calls : 1;
    ++answer->calls;
    HBA_UINT32 room = table->NumberOfEntries;
    HBA_UINT32 filled = std::min<HBA_UINT32>(std::min<HBA_UINT32>(room, answer->count[call]), 600);
    for (HBA_UINT32 i = 0; i < filled; ++i) {
        auto* entry = reinterpret_cast<uint8_t*>(&table->entry[i]);
        for (size_t b = 0; b < sizeof table->entry[i]; ++b) {
            entry[b] = answer->bytes.empty() ? 0 : answer->bytes[(i * 7 + b) % answer->bytes.size()];
        }
    }
    table->NumberOfEntries = answer->count[call];
    return answer->status[call];
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::useSimulatedHost(R"({"disks": [
        {"name": "c2t1d0", "node": "/pci@1f,4000/SUNW,qlc@2/fp@0,0/ssd@w21000004cf,0", "driver": "ssd"},
        {"name": "c3t0d1", "node": "/pseudo/x@0", "driver": "sd", "slices": [2]}],
      "dev_entries": [{"dir": "rdsk", "name": "c9t9d9s2", "link": "../../devices/pci@1f,4000/x@1:c,raw"},
                      {"dir": "rdsk", "name": "c"}]})");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);

    HBA_FCPSCSIENTRY entry;
    std::vector<uint8_t> raw = in.ConsumeBytes<uint8_t>(sizeof entry);
    raw.resize(sizeof entry, static_cast<uint8_t>(raw.empty() ? 0 : raw.back()));
    std::memcpy(&entry, raw.data(), sizeof entry);
    if (in.ConsumeBool()) entry.ScsiId.ScsiBusNumber = 0;
    if (in.ConsumeBool()) std::memcpy(entry.ScsiId.OSDeviceName, "/devices/pci@1f,4000/", 21);

    devices::RawDeviceBuses buses;
    unsigned int bus = divineScsiBusNumber(entry, buses);
    char name[256];
    bool keep = in.ConsumeBool(), leadville = in.ConsumeBool(), force = in.ConsumeBool();
    chooseDeviceName(entry, bus, [&] { return keep; }, [&] { return leadville; }, [&] { return force; }, name);
    terminateString(name, sizeof name);
    if (std::memchr(name, '\0', sizeof name) == nullptr) __builtin_trap();
    leadvilleDeviceName(entry.ScsiId.OSDeviceName, name);
    if (std::memchr(name, '\0', sizeof name) == nullptr) __builtin_trap();
    (void)exportedLun(entry.FcpId.FcpLun);

    const char* wwn = toString(entry.FcpId.PortWWN);
    if (std::strlen(wwn) != 16) __builtin_trap();
    (void)equal(entry.FcpId.PortWWN, entry.FcpId.NodeWWN);

    // A text field of any size, cleaned in place: nothing is touched outside it.
    std::string textBytes = in.ConsumeRandomLengthString(300);
    std::vector<char> field(textBytes.begin(), textBytes.end());
    if (!field.empty()) {
        terminateString(field.data(), static_cast<int>(field.size()));
        if (std::memchr(field.data(), '\0', field.size()) == nullptr) __builtin_trap();
    }
    bool found = false;
    devices::parseScsiBusNumber(textBytes.c_str(), found);

    MappingAnswer mapping;
    for (int i = 0; i < 2; ++i) {
        mapping.status[i] = in.ConsumeIntegralInRange<HBA_STATUS>(0, 8);
        // Counts around the 512 entries held inline; a count in the billions only makes the
        // larger table's allocation fail, which the sanitizer's allocator would report instead.
        mapping.count[i] = in.ConsumeIntegralInRange<HBA_UINT32>(0, 5000);
    }
    mapping.bytes = in.ConsumeRemainingBytes<uint8_t>();
    answer = &mapping;
    FcpTargetMappingTable table;
    table.fetch(0, fetchMapping);
    if (table.size() > table.room()) __builtin_trap();
    for (HBA_UINT32 i = 0; i < table.size(); ++i) divineScsiBusNumber(table.entry(i), buses);
    answer = nullptr;
    return 0;
}
