// The partition-table reader of the live backend on disk images built here, and the naming
// rules of its device namespace.
#include <gtest/gtest.h>

#include <cstring>

#include "linux/LinuxDiskLabel.h"
#include "linux/LinuxDisks.h"

using namespace linuxhost;

namespace {

constexpr uint32_t kSector = 512;

struct Image {
    std::vector<uint8_t> bytes;
    explicit Image(uint64_t sectors) : bytes(sectors * kSector, 0) {}
    uint64_t sectors() const { return bytes.size() / kSector; }
    void put32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    void put64(size_t at, uint64_t v) {
        put32(at, static_cast<uint32_t>(v));
        put32(at + 4, static_cast<uint32_t>(v >> 32));
    }
    // A DOS entry in the record at `lba`.
    void dos(uint64_t lba, int slot, unsigned type, uint32_t start, uint32_t size, unsigned boot = 0) {
        size_t at = lba * kSector + 0x1BE + 16 * slot;
        bytes[at] = static_cast<uint8_t>(boot);
        bytes[at + 4] = static_cast<uint8_t>(type);
        put32(at + 8, start);
        put32(at + 12, size);
        bytes[lba * kSector + 510] = 0x55;
        bytes[lba * kSector + 511] = 0xAA;
    }
    // A GPT behind a protective MBR with `parts` (first and last sector, type byte 0 of the
    // GUID; 0 leaves the entry unused) in a 128-entry array at sector 2.
    void gpt(const std::vector<std::array<uint64_t, 3>>& parts) {
        dos(0, 0, 0xEE, 1, static_cast<uint32_t>(sectors() - 1));
        size_t entries = 2 * kSector;
        for (size_t i = 0; i < parts.size(); ++i) {
            bytes[entries + i * 128] = static_cast<uint8_t>(parts[i][2]);
            put64(entries + i * 128 + 32, parts[i][0]);
            put64(entries + i * 128 + 40, parts[i][1]);
        }
        size_t h = kSector;
        std::memcpy(&bytes[h], "EFI PART", 8);
        put32(h + 8, 0x00010000);
        put32(h + 12, 92);
        put64(h + 24, 1);
        put64(h + 32, sectors() - 1);
        put64(h + 40, 34);
        put64(h + 48, sectors() - 34);
        put64(h + 72, 2);
        put32(h + 80, 128);
        put32(h + 84, 128);
        put32(h + 88, crc32(&bytes[entries], 128 * 128));
        sealHeader();
    }
    void sealHeader() {
        put32(kSector + 16, 0);
        put32(kSector + 16, crc32(&bytes[kSector], 92));
    }
    std::optional<PartitionTable> read(int failAt = -1) const {
        SectorReader reader = [&](uint64_t lba, uint32_t count, std::vector<uint8_t>& out) {
            if (failAt >= 0 && static_cast<uint64_t>(failAt) >= lba && static_cast<uint64_t>(failAt) < lba + count) return false;
            if ((lba + count) * kSector > bytes.size()) return false;
            out.assign(bytes.begin() + static_cast<long>(lba * kSector), bytes.begin() + static_cast<long>((lba + count) * kSector));
            return true;
        };
        return readPartitionTable(reader, kSector, sectors());
    }
};

std::vector<std::array<uint64_t, 3>> layout(const PartitionTable& t) {
    std::vector<std::array<uint64_t, 3>> out;
    for (const auto& p : t.partitions) out.push_back({p.number, p.start, p.size});
    return out;
}

using Layout = std::vector<std::array<uint64_t, 3>>;

}  // namespace

TEST(LinuxDiskLabel, GptAsTheKernelFindsIt) {
    Image disk(4096);
    disk.gpt({{34, 1033, 1}, {0, 0, 0}, {1034, 2047, 1}, {2048, 9999, 1}, {3000, 2999, 1}});
    auto table = disk.read();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->scheme, PartitionTable::Scheme::Gpt);
    // The unused slot keeps its number; an entry past the end or ending before it starts is none.
    EXPECT_EQ(layout(*table), (Layout{{1, 34, 1000}, {3, 1034, 1014}}));
    EXPECT_EQ(table->partitions[0].gptType, "00000001-0000-0000-0000-000000000000");

    // A hybrid MBR (the protective entry beside others) still leads to the GPT.
    Image hybrid = disk;
    hybrid.dos(0, 1, 0x83, 34, 1000);
    EXPECT_EQ(hybrid.read()->scheme, PartitionTable::Scheme::Gpt);

    // A damaged header or entry array: the kernel does not look at the backup, and the DOS
    // reader leaves a disk with a protective entry alone.
    Image badHeader = disk;
    badHeader.bytes[kSector + 40] ^= 1;
    EXPECT_EQ(badHeader.read()->scheme, PartitionTable::Scheme::None);
    Image badEntries = disk;
    badEntries.bytes[2 * kSector + 40] ^= 1;
    EXPECT_EQ(badEntries.read()->scheme, PartitionTable::Scheme::None);
    Image badLba = disk;
    badLba.put64(kSector + 24, 2);
    badLba.sealHeader();
    EXPECT_EQ(badLba.read()->scheme, PartitionTable::Scheme::None);

    // Without a protective entry the GPT is not read at all: the disk has a DOS table.
    Image dosOnly = disk;
    dosOnly.dos(0, 0, 0x83, 2048, 100);
    auto dos = dosOnly.read();
    EXPECT_EQ(dos->scheme, PartitionTable::Scheme::Dos);
    EXPECT_EQ(layout(*dos), (Layout{{1, 2048, 100}}));

    // A sector that decides the answer cannot be read.
    EXPECT_FALSE(disk.read(0));
    EXPECT_FALSE(disk.read(2));
}

TEST(LinuxDiskLabel, DosTableWithItsExtendedChain) {
    Image disk(20000);
    disk.dos(0, 0, 0x83, 100, 900, 0x80);
    disk.dos(0, 1, 0x05, 1000, 10000);
    disk.dos(0, 2, 0x82, 15000, 10000);  // runs past the end: cut there
    disk.dos(0, 3, 0x83, 30000, 10);     // starts past the end: dropped
    // Each record: its logical partition relative to itself, the next record relative to the
    // extended partition; the third record points back at the second.
    disk.dos(1000, 0, 0x83, 50, 450);
    disk.dos(1000, 1, 0x05, 500, 1000);
    disk.dos(1500, 0, 0x83, 50, 100);
    disk.dos(1500, 2, 0x83, 5000, 9000);  // a third entry outside the extended partition is garbage
    disk.dos(1500, 1, 0x0F, 2000, 1000);
    disk.dos(3000, 0, 0x83, 10, 10);
    disk.dos(3000, 1, 0x85, 500, 1000);
    auto table = disk.read();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->scheme, PartitionTable::Scheme::Dos);
    // The loop back to the second record finds a partition on every pass, so the chain ends at
    // the kernel's limit of 255 partitions.
    ASSERT_GE(table->partitions.size(), 6u);
    EXPECT_EQ(layout(*table).front(), (std::array<uint64_t, 3>{1, 100, 900}));
    EXPECT_TRUE(table->partitions[1].extended);
    EXPECT_EQ((std::array<uint64_t, 3>{table->partitions[2].number, table->partitions[2].start, table->partitions[2].size}),
              (std::array<uint64_t, 3>{3, 15000, 5000}));
    EXPECT_EQ(layout(*table)[3], (std::array<uint64_t, 3>{5, 1050, 450}));
    EXPECT_EQ(layout(*table)[4], (std::array<uint64_t, 3>{6, 1550, 100}));
    EXPECT_EQ(layout(*table)[5], (std::array<uint64_t, 3>{7, 3010, 10}));
    EXPECT_EQ(table->partitions.back().number, 255u);

    // A boot sector (no valid boot indicators) and a disk without a signature have no table.
    Image bootSector(100);
    bootSector.dos(0, 0, 0x83, 10, 10, 0x12);
    EXPECT_EQ(bootSector.read()->scheme, PartitionTable::Scheme::None);
    EXPECT_EQ(Image(100).read()->scheme, PartitionTable::Scheme::None);
}

TEST(LinuxDiskLabel, SlicesAndTheirTags) {
    PartitionTable table;
    table.scheme = PartitionTable::Scheme::Gpt;
    auto part = [](unsigned n, const char* gpt, unsigned dos) {
        TablePartition p;
        p.number = n;
        p.start = n * 100;
        p.size = 50;
        p.gptType = gpt;
        p.dosType = dos;
        return p;
    };
    table.partitions = {part(1, "0657FD6D-A4AB-43C4-84E5-0933C84B4F4F", 0), part(2, "", 0xEF), part(3, "", 0x82),
                        part(7, "0FC63DAF-8483-4772-8E79-3D69D8477DE4", 0), part(8, "", 0x83)};
    sol::vtoc v;
    fillVtoc(table, 123456, 4096, "loop cyl 1 alt 0 hd 2 sec 3", &v);
    EXPECT_EQ(v.v_sanity, SOL(VTOC_SANE));
    EXPECT_EQ(v.v_sectorsz, 4096);
    EXPECT_STREQ(v.v_asciilabel, "loop cyl 1 alt 0 hd 2 sec 3");
    auto slot = [&](int s) {
        return std::array<long, 4>{v.v_part[s].p_tag, v.v_part[s].p_flag, v.v_part[s].p_start, v.v_part[s].p_size};
    };
    EXPECT_EQ(slot(0), (std::array<long, 4>{SOL(V_SWAP), SOL(V_UNMNT), 100, 50}));
    EXPECT_EQ(slot(1), (std::array<long, 4>{SOL(V_BOOT), 0, 200, 50}));
    EXPECT_EQ(slot(2), (std::array<long, 4>{SOL(V_BACKUP), SOL(V_UNMNT), 0, 123456}));
    EXPECT_EQ(slot(3), (std::array<long, 4>{SOL(V_SWAP), SOL(V_UNMNT), 300, 50}));
    EXPECT_EQ(slot(4), (std::array<long, 4>{0, 0, 0, 0}));
    EXPECT_EQ(slot(7), (std::array<long, 4>{SOL(V_UNASSIGNED), 0, 700, 50}));  // partition 8 has no slice
    for (int s = 0; s < 8; ++s) {
        if (s == 2) continue;
        EXPECT_EQ(sliceOfPartition(partitionOfSlice(s)), s);
    }
    EXPECT_EQ(sliceOfPartition(8), -1);
    EXPECT_EQ(partitionOfSlice(2), 0u);
}

TEST(LinuxDisks, NamingRules) {
    using namespace naming;
    for (const char* name : {"c0d0", "c4t1d0", "c12t65537d3", "c3t1d0"}) {
        auto parts = parseDiskName(name);
        ASSERT_TRUE(parts) << name;
        EXPECT_EQ(diskName(*parts), name);
    }
    for (const char* bad : {"c01d0", "c0t1d", "c0d0s2", "cxd0", "c0t01d0", "c99999999999999999999d0", "", "c0d"}) {
        EXPECT_FALSE(parseDiskName(bad)) << bad;
    }
    EXPECT_EQ(parseEntryName("c0t1d0s7"), (std::make_pair(std::string("c0t1d0"), 7)));
    EXPECT_FALSE(parseEntryName("c0t1d0s8"));
    EXPECT_FALSE(parseEntryName("emcpower0a"));

    EXPECT_EQ(parseLinuxDiskName("sdaa"), (std::make_pair(std::string("sd"), 26ul)));
    EXPECT_EQ(parseLinuxDiskName("xvdb"), (std::make_pair(std::string("xvd"), 1ul)));
    EXPECT_EQ(parseLinuxDiskName("loop10"), (std::make_pair(std::string("loop"), 10ul)));
    for (const char* bad : {"nvme0n1", "loop01", "dm-0", "sda1x", "123"}) EXPECT_FALSE(parseLinuxDiskName(bad)) << bad;
    for (unsigned long unit : {0ul, 25ul, 26ul, 701ul, 702ul}) {
        EXPECT_EQ(parseLinuxDiskName(linuxDiskName("vd", unit, true))->second, unit);
    }
    EXPECT_EQ(linuxDiskName("vd", 27, true), "vdab");
    EXPECT_EQ(parseNvmeName("nvme2n13"), (std::make_pair(2ul, 13ul)));
    EXPECT_FALSE(parseNvmeName("nvme0c1n1"));

    auto address = parseScsiAddress("3:0:12:5");
    ASSERT_TRUE(address);
    EXPECT_EQ(address->host + address->channel + address->target + address->lun, 20ul);
    EXPECT_FALSE(parseScsiAddress("target3:0:12"));
    EXPECT_FALSE(parseScsiAddress("3:0:12:"));
}
