#include "linux/LinuxDiskLabel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "SysinfoCopy.h"

namespace linuxhost {

namespace {

// The kernel numbers partitions below its limit of 256 per disk.
constexpr unsigned kPartitionLimit = 256;
// Largest GPT entry array the kernel allocates for reading.
constexpr uint64_t kMaxEntryArrayBytes = 4u << 20;
constexpr size_t kGptHeaderSize = 92;
constexpr uint32_t kGptEntrySize = 128;
constexpr unsigned kProtectiveType = 0xEE;

uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(le16(b, at)) | static_cast<uint32_t>(le16(b, at + 2)) << 16;
}
uint64_t le64(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint64_t>(le32(b, at)) | static_cast<uint64_t>(le32(b, at + 4)) << 32;
}

bool dosSignature(const std::vector<uint8_t>& sector) {
    return sector.size() >= 512 && sector[510] == 0x55 && sector[511] == 0xAA;
}

// A DOS table entry (16 bytes at 0x1BE + 16 * slot).
struct DosEntry {
    unsigned boot, type;
    uint32_t start, size;
};

DosEntry dosEntry(const std::vector<uint8_t>& sector, int slot) {
    size_t at = 0x1BE + 16 * static_cast<size_t>(slot);
    return {sector[at], sector[at + 4], le32(sector, at + 8), le32(sector, at + 12)};
}

bool isExtended(unsigned type) { return type == 0x05 || type == 0x0F || type == 0x85; }

// A GUID as text: the first three fields are stored little-endian.
std::string guidText(const std::vector<uint8_t>& b, size_t at) {
    char text[37];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", le32(b, at),
                  le16(b, at + 4), le16(b, at + 6), b[at + 8], b[at + 9], b[at + 10], b[at + 11], b[at + 12],
                  b[at + 13], b[at + 14], b[at + 15]);
    return text;
}

class TableReader {
public:
    TableReader(const SectorReader& read, uint32_t sectorSize, uint64_t sectors)
        : read_(read), sectorSize_(sectorSize), sectors_(sectors) {}

    std::optional<PartitionTable> read() {
        PartitionTable table;
        if (sectors_ == 0 || sectorSize_ < 512) return table;
        std::vector<uint8_t> mbr;
        if (!read_(0, 1, mbr) || mbr.size() < 512) return std::nullopt;
        if (!dosSignature(mbr)) return table;
        if (protective(mbr)) {
            auto gpt = readGpt();
            if (!gpt) return std::nullopt;
            if (gpt->scheme == PartitionTable::Scheme::Gpt) return finish(std::move(*gpt));
        }
        if (!readDos(mbr, table)) return std::nullopt;
        return finish(std::move(table));
    }

private:
    // A protective (or hybrid) MBR: an entry of type 0xEE that starts at sector 1.
    static bool protective(const std::vector<uint8_t>& mbr) {
        for (int slot = 0; slot < 4; ++slot) {
            DosEntry e = dosEntry(mbr, slot);
            if (e.type == kProtectiveType && e.start == 1) return true;
        }
        return false;
    }

    // The primary GPT at sector 1, checked as the kernel checks it (the backup is not consulted
    // when the primary is bad). Scheme::None when it is not valid; none on a read failure.
    std::optional<PartitionTable> readGpt() {
        PartitionTable table;
        std::vector<uint8_t> header;
        if (sectors_ < 2) return table;
        if (!read_(1, 1, header) || header.size() < sectorSize_) return std::nullopt;
        const uint64_t last = sectors_ - 1;
        uint32_t headerSize = le32(header, 12);
        if (std::memcmp(header.data(), "EFI PART", 8) != 0 || headerSize < kGptHeaderSize || headerSize > sectorSize_)
            return table;
        std::vector<uint8_t> check(header.begin(), header.begin() + headerSize);
        std::memset(check.data() + 16, 0, 4);
        if (crc32(check.data(), check.size()) != le32(header, 16) || le64(header, 24) != 1) return table;
        uint64_t firstUsable = le64(header, 40), lastUsable = le64(header, 48);
        if (firstUsable > last || lastUsable > last || lastUsable < firstUsable) return table;
        uint64_t entriesLba = le64(header, 72);
        uint32_t count = le32(header, 80), entrySize = le32(header, 84);
        uint64_t bytes = static_cast<uint64_t>(count) * entrySize;
        if (entrySize != kGptEntrySize || bytes > kMaxEntryArrayBytes) return table;
        uint64_t entrySectors = (bytes + sectorSize_ - 1) / sectorSize_;
        if (entriesLba > last || entrySectors > last - entriesLba + 1) return table;
        std::vector<uint8_t> entries;
        if (bytes > 0 && (!read_(entriesLba, static_cast<uint32_t>(entrySectors), entries) || entries.size() < bytes))
            return std::nullopt;
        if (crc32(entries.data(), static_cast<size_t>(bytes)) != le32(header, 88)) return table;

        table.scheme = PartitionTable::Scheme::Gpt;
        for (uint32_t i = 0; i < count && i + 1 < kPartitionLimit; ++i) {
            size_t at = static_cast<size_t>(i) * kGptEntrySize;
            bool unused = std::all_of(entries.begin() + static_cast<long>(at), entries.begin() + static_cast<long>(at) + 16,
                                      [](uint8_t b) { return b == 0; });
            uint64_t start = le64(entries, at + 32), end = le64(entries, at + 40);
            if (unused || start > last || end > last || end < start) continue;
            TablePartition p;
            p.number = i + 1;
            p.start = start;
            p.size = end - start + 1;
            p.gptType = guidText(entries, at);
            table.partitions.push_back(p);
        }
        return table;
    }

    // A DOS table: false on a read failure.
    bool readDos(const std::vector<uint8_t>& mbr, PartitionTable& table) {
        for (int slot = 0; slot < 4; ++slot) {
            // A boot indicator other than 0 or 0x80 marks a boot sector, not a table.
            unsigned boot = dosEntry(mbr, slot).boot;
            if (boot != 0 && boot != 0x80) return true;
        }
        for (int slot = 0; slot < 4; ++slot) {
            if (dosEntry(mbr, slot).type == kProtectiveType) return true;  // a GPT disk whose GPT is bad
        }
        table.scheme = PartitionTable::Scheme::Dos;
        unsigned next = 5;
        for (int slot = 0; slot < 4; ++slot) {
            DosEntry e = dosEntry(mbr, slot);
            if (e.size == 0) continue;
            add(table, static_cast<unsigned>(slot) + 1, e.start, e.size, e.type);
            if (isExtended(e.type)) {
                table.partitions.back().extended = true;
                if (!readExtended(table, e.start, e.size, next)) return false;
            }
        }
        std::sort(table.partitions.begin(), table.partitions.end(),
                  [](const TablePartition& a, const TablePartition& b) { return a.number < b.number; });
        return true;
    }

    // The chain of extended boot records from `first`, as the kernel follows it: the data
    // entries of each record are logical partitions (the third and fourth only when they lie
    // inside the extended partition), its first extended entry leads to the next record.
    bool readExtended(PartitionTable& table, uint64_t first, uint64_t firstSize, unsigned& next) {
        uint64_t thisSector = first, thisSize = firstSize;
        for (int idle = 0;; ) {
            if (++idle > 100 || next >= kPartitionLimit || thisSector >= sectors_) return true;
            std::vector<uint8_t> ebr;
            if (!read_(thisSector, 1, ebr) || ebr.size() < 512) return false;
            if (!dosSignature(ebr)) return true;
            for (int slot = 0; slot < 4; ++slot) {
                DosEntry e = dosEntry(ebr, slot);
                if (e.size == 0 || isExtended(e.type)) continue;
                uint64_t at = thisSector + e.start;
                if (slot >= 2 && (e.start + static_cast<uint64_t>(e.size) > thisSize || at < first ||
                                  at + e.size > first + firstSize))
                    continue;
                add(table, next, at, e.size, e.type);
                idle = 0;
                if (++next >= kPartitionLimit) return true;
            }
            int link = 0;
            while (link < 4 && !(dosEntry(ebr, link).size != 0 && isExtended(dosEntry(ebr, link).type))) ++link;
            if (link == 4) return true;
            thisSector = first + dosEntry(ebr, link).start;
            thisSize = dosEntry(ebr, link).size;
        }
    }

    static void add(PartitionTable& table, unsigned number, uint64_t start, uint64_t size, unsigned type) {
        TablePartition p;
        p.number = number;
        p.start = start;
        p.size = size;
        p.dosType = type;
        table.partitions.push_back(p);
    }

    // As the kernel adds them: a partition that starts past the end is dropped, one that runs
    // past it is cut at the end.
    PartitionTable finish(PartitionTable table) {
        std::vector<TablePartition> kept;
        for (TablePartition& p : table.partitions) {
            if (p.start >= sectors_) continue;
            p.size = std::min(p.size, sectors_ - p.start);
            kept.push_back(p);
        }
        table.partitions = std::move(kept);
        return table;
    }

    const SectorReader& read_;
    uint32_t sectorSize_;
    uint64_t sectors_;
};

struct TypeTag {
    const char* gpt;
    unsigned dos;
    sol::ushort_t tag;
    sol::ushort_t flag;
};

// Tags and flags of the partition types that have a Solaris counterpart; any other type is
// unassigned and mountable.
const TypeTag kTypeTags[] = {
    {"0657FD6D-A4AB-43C4-84E5-0933C84B4F4F", 0x82, SOL(V_SWAP), SOL(V_UNMNT)},   // Linux swap
    {"C12A7328-F81F-11D2-BA4B-00A0C93EC93B", 0xEF, SOL(V_BOOT), 0},              // EFI system
    {"21686148-6453-6F6E-7420-4E6565644546", 0, SOL(V_BOOT), SOL(V_UNMNT)},      // BIOS boot
    {"44479540-F297-41B2-9AF7-D131D5F0458A", 0, SOL(V_ROOT), 0},                 // root (x86)
    {"4F68BCE3-E8CD-4DB1-96E7-FBCAF984B709", 0, SOL(V_ROOT), 0},                 // root (x86-64)
    {"B921B045-1DF0-41C3-AF44-4C6F280D3FAE", 0, SOL(V_ROOT), 0},                 // root (arm64)
    {"75250D76-8CC6-458E-BD66-BD47CC81A812", 0, SOL(V_USR), 0},                  // /usr (x86)
    {"8484680C-9521-48C6-9C11-B0720656F69E", 0, SOL(V_USR), 0},                  // /usr (x86-64)
    {"B0E01050-EE5F-4390-949A-9101B17104E9", 0, SOL(V_USR), 0},                  // /usr (arm64)
    {"4D21B016-B534-45C2-A9FB-5C16E091FD2D", 0, SOL(V_VAR), 0},                  // /var
    {"933AC7E1-2EB4-4F13-B844-0E14E2AEF915", 0, SOL(V_HOME), 0},                 // /home
    {"6A82CB45-1DD2-11B2-99A6-080020736631", 0, SOL(V_BOOT), SOL(V_UNMNT)},      // Solaris boot
    {"6A85CF4D-1DD2-11B2-99A6-080020736631", 0, SOL(V_ROOT), 0},                 // Solaris root
    {"6A87C46F-1DD2-11B2-99A6-080020736631", 0, SOL(V_SWAP), SOL(V_UNMNT)},      // Solaris swap
    {"6A8B642B-1DD2-11B2-99A6-080020736631", 0, SOL(V_BACKUP), SOL(V_UNMNT)},    // Solaris backup
    {"6A898CC3-1DD2-11B2-99A6-080020736631", 0, SOL(V_USR), 0},                  // Solaris /usr
    {"6A8EF2E9-1DD2-11B2-99A6-080020736631", 0, SOL(V_VAR), 0},                  // Solaris /var
    {"6A90BA39-1DD2-11B2-99A6-080020736631", 0, SOL(V_HOME), 0},                 // Solaris /home
};

const TypeTag* typeTag(const TablePartition& p) {
    for (const TypeTag& t : kTypeTags) {
        if (p.gptType.empty() ? (t.dos != 0 && t.dos == p.dosType) : p.gptType == t.gpt) return &t;
    }
    return nullptr;
}

}  // namespace

std::optional<PartitionTable> readPartitionTable(const SectorReader& read, uint32_t sectorSize, uint64_t sectors) {
    return TableReader(read, sectorSize, sectors).read();
}

int sliceOfPartition(unsigned number) {
    if (number == 1 || number == 2) return static_cast<int>(number) - 1;
    if (number >= 3 && number <= 7) return static_cast<int>(number);
    return -1;
}

unsigned partitionOfSlice(int slice) {
    if (slice == 0 || slice == 1) return static_cast<unsigned>(slice) + 1;
    if (slice >= 3 && slice <= 7) return static_cast<unsigned>(slice);
    return 0;
}

void fillVtoc(const PartitionTable& table, uint64_t sectors, uint32_t sectorSize, const std::string& label,
              sol::vtoc* out) {
    std::memset(out, 0, sizeof *out);
    out->v_sanity = SOL(VTOC_SANE);
    out->v_version = SOL(V_VERSION);
    out->v_sectorsz = static_cast<sol::ushort_t>(sectorSize);
    out->v_nparts = SOL(V_NUMPAR);
    out->v_part[2].p_tag = SOL(V_BACKUP);
    out->v_part[2].p_flag = SOL(V_UNMNT);
    out->v_part[2].p_size = static_cast<long>(sectors);
    for (const TablePartition& p : table.partitions) {
        int slice = sliceOfPartition(p.number);
        if (slice < 0) continue;
        const TypeTag* type = typeTag(p);
        sol::partition& part = out->v_part[slice];
        part.p_tag = type ? type->tag : SOL(V_UNASSIGNED);
        part.p_flag = type ? type->flag : 0;
        part.p_start = static_cast<sol::daddr_t>(p.start);
        part.p_size = static_cast<long>(p.size);
    }
    sol::fieldCopy(out->v_asciilabel, sizeof out->v_asciilabel, label);
}

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

}  // namespace linuxhost
