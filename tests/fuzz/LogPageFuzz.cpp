// Array statistics pages as a device may answer them: the log page 0x3B of each controller,
// the report string joined from both, the enclosure translation page 0xA0, and the model and
// parameter-code tables. Input: two bytes giving the split, then the bytes of the pages.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "scsi/SolarisScsiInterrogatorC.h"

namespace {

// A copy in a buffer of exactly `size` bytes, so the sanitizer sees any read past the answer.
std::vector<unsigned char> exact(const uint8_t* data, size_t size) { return std::vector<unsigned char>(data, data + size); }

void requireTerminated(const char* text, size_t size) {
    if (std::memchr(text, '\0', size) == nullptr) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t split = ((data[0] << 8) | data[1]) % (size - 1);
    data += 2;
    size -= 2;
    std::vector<unsigned char> first = exact(data, split), second = exact(data + split, size - split);

    // One interrogation's tables per input, as every call gets its own.
    auto tables = std::make_unique<ArrayTables>();
    decodeTranslationPage(tables.get(), first.data(), static_cast<unsigned>(first.size()));

    static char common[2][SCSI_COMMON_LENGTH], rows[2][SCSI_ROWS_LENGTH];
    static char result[SCSI_RESULT_LENGTH];
    unsigned int drives[2] = {0, 0};
    int reset = 0;
    processLogSense3Bbuffer(tables.get(), first.data(), static_cast<unsigned>(first.size()), &drives[0], common[0],
                            rows[0], &reset);
    processLogSense3Bbuffer(tables.get(), second.data(), static_cast<unsigned>(second.size()), &drives[1], common[1],
                            rows[1], &reset);
    for (int k = 0; k < 2; ++k) {
        requireTerminated(common[k], sizeof common[k]);
        requireTerminated(rows[k], sizeof rows[k]);
        if (drives[k] > SCSI_MAX_LISTED_DRIVES) __builtin_trap();
    }
    buildReturnString(result, common[0], common[1], rows[0], rows[1], drives[0], drives[1]);
    requireTerminated(result, sizeof result);

    // The same page once more, decoded on top of its own values.
    processLogSense3Bbuffer(tables.get(), second.data(), static_cast<unsigned>(second.size()), &drives[1], common[1],
                            rows[1], &reset);

    if (first.size() >= 2) enumerateParaCode(first.data());
    // The INQUIRY fields as the interrogation hands them over: 8 and 16 bytes.
    char vendor[8] = {}, product[16] = {};
    std::copy_n(first.begin(), std::min(first.size(), sizeof vendor), vendor);
    std::copy_n(second.begin(), std::min(second.size(), sizeof product), product);
    filterByIDs(vendor, product);
    return 0;
}
