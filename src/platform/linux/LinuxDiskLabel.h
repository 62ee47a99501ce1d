// The partition table of a live disk, read from its sectors as the Linux kernel reads it (a GPT
// behind a protective MBR first, else a DOS table with its extended chain), and its Solaris
// view: a volume table of contents of eight slices.
//
// Input: a reader of whole logical sectors, the sector size and the disk's sector count.
// Output: the partitions with the numbers the kernel gives them (GPT entry index + 1; DOS
// slots 1-4, then logical partitions from 5 in chain order), starts and sizes in logical
// sectors, and their types. Slices: 2 is the whole disk; partitions 1 and 2 are slices 0 and
// 1, partitions 3 to 7 the slices of their own number; later partitions have no slice.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sol/dkio.h"

namespace linuxhost {

struct TablePartition {
    unsigned number = 0;     // the kernel's partition number
    uint64_t start = 0;      // first logical sector
    uint64_t size = 0;       // logical sectors
    std::string gptType;     // GPT type GUID in upper-case text, "" for a DOS entry
    unsigned dosType = 0;    // DOS system id, 0 for a GPT entry
    bool extended = false;   // a DOS extended partition (the container of the logical ones)
};

struct PartitionTable {
    enum class Scheme { None, Dos, Gpt };
    Scheme scheme = Scheme::None;
    std::vector<TablePartition> partitions;  // in number order
};

// Reads `count` sectors from `lba` into `out` (count * sector size bytes); false when it cannot.
using SectorReader = std::function<bool(uint64_t lba, uint32_t count, std::vector<uint8_t>& out)>;

// The table of a disk of `sectors` logical sectors of `sectorSize` bytes; none when a sector
// that decides the answer cannot be read. A disk without a valid table has Scheme::None.
std::optional<PartitionTable> readPartitionTable(const SectorReader& read, uint32_t sectorSize, uint64_t sectors);

// The slice a partition number takes (-1: none), and the partition number of a slice (0: the
// whole disk or no partition).
int sliceOfPartition(unsigned number);
unsigned partitionOfSlice(int slice);

// The table of contents of a labelled disk: slice 2 the whole disk (backup, unmountable), each
// partition with a slice on it with its start, size, and the tag and flags of its type;
// `label` as the ASCII label.
void fillVtoc(const PartitionTable& table, uint64_t sectors, uint32_t sectorSize, const std::string& label,
              sol::vtoc* out);

// The CRC-32 of GPT headers and entry arrays.
uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

}  // namespace linuxhost
