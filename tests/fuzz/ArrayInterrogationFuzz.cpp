// The array interrogation end to end against a simulated LUN whose answers come from the
// input: INQUIRY vendor, product and revision, the VPD 0xC0 controller identifier, and the
// 0xA0 and 0x3B pages; the report string must stay terminated within its buffer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "FuzzSupport.h"
#include "scsi/SolarisScsiInterrogatorC.h"

namespace {

std::string hexOf(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    // Mostly a known array model, so the pages are read; sometimes any INQUIRY fields.
    bool known = in.ConsumeIntegralInRange<int>(0, 7) != 0;
    bool utm = in.ConsumeBool();
    std::string vendor = known ? "LSI     " : in.ConsumeRandomLengthString(12);
    std::string product = known ? (utm ? "Universal Xport " : "INF-01-00       ") : in.ConsumeRandomLengthString(20);
    std::string revision = in.ConsumeRandomLengthString(6);
    std::string id = in.ConsumeRandomLengthString(20);
    std::string a0 = in.ConsumeRandomLengthString(600);
    std::string b3 = in.ConsumeRemainingBytesAsString();

    nlohmann::json scsi = {{"vendor", {{"hex", hexOf(vendor)}}}, {"product", {{"hex", hexOf(product)}}},
                           {"revision", {{"hex", hexOf(revision)}}}, {"vpd_c0_id", {{"hex", hexOf(id)}}},
                           {"page_a0_hex", hexOf(a0)}, {"page_3b_hex", hexOf(b3)}};
    nlohmann::json host = {{"disks", {{{"name", "c4t0d0"}, {"node", "/pci@1f,4000/scsi@2/sd@0,0"},
                                       {"driver", "sd"}, {"slices", {2}}, {"scsi", scsi}}}}};
    fuzzsupport::useSimulatedHost(host.dump());

    // The identifier the LUN reports, as the caller names its controller.
    std::string controller = id.substr(0, std::min<size_t>(id.size(), 16));
    controller.erase(std::find(controller.begin(), controller.end(), '\0'), controller.end());
    auto result = std::make_unique<char[]>(SCSI_RESULT_LENGTH);
    scsiInterrogatorC(result.get(), controller.c_str(), "other");
    if (std::memchr(result.get(), '\0', SCSI_RESULT_LENGTH) == nullptr) __builtin_trap();
    return 0;
}
