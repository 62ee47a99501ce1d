// The live backend's decoders of outside bytes and text: the partition table read off a disk
// (any bytes as the disk's first sectors, with 512- and 4096-byte sectors) and the names it
// meets in sysfs and from callers (disk and entry names, SCSI addresses, Linux disk names).
#include <cstdint>
#include <string>

#include "linux/LinuxDiskLabel.h"
#include "linux/LinuxDisks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (uint32_t sectorSize : {512u, 4096u}) {
        // The input is the start of a disk twice its length; the rest reads as zeros.
        uint64_t sectors = (2 * size + sectorSize - 1) / sectorSize;
        linuxhost::SectorReader read = [&](uint64_t lba, uint32_t count, std::vector<uint8_t>& out) {
            if (lba + count > sectors) return false;
            out.assign(static_cast<size_t>(count) * sectorSize, 0);
            for (size_t i = 0; i < out.size(); ++i) {
                uint64_t at = lba * sectorSize + i;
                if (at < size) out[i] = data[at];
            }
            return true;
        };
        auto table = linuxhost::readPartitionTable(read, sectorSize, sectors);
        if (!table) continue;
        for (const auto& p : table->partitions) {
            if (p.size == 0 || p.start + p.size > sectors || p.number == 0 || p.number > 255) __builtin_trap();
        }
        sol::vtoc v;
        linuxhost::fillVtoc(*table, sectors, sectorSize, std::string(reinterpret_cast<const char*>(data), size), &v);
    }
    std::string text(reinterpret_cast<const char*>(data), size);
    using namespace linuxhost::naming;
    if (auto parts = parseDiskName(text)) {
        if (diskName(*parts) != text) __builtin_trap();
    }
    parseEntryName(text);
    parseScsiAddress(text);
    if (auto unit = parseLinuxDiskName(text)) linuxDiskName(unit->first, unit->second, true);
    parseNvmeName(text);
    parseNumber(text);
    return 0;
}
