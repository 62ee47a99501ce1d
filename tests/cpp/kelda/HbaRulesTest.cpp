// Status texts, code mappings, the mapping table protocol and the device-name rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "kelda/common/hba/HbaCodes.h"
#include "kelda/common/hba/HbaStatus.h"
#include "kelda/common/hba/TargetMapping.h"

TEST(HbaStatus, TextsAndWarning) {
    EXPECT_STREQ("OK", StatusString(0));
    EXPECT_STREQ("More data available", StatusString(7));
    EXPECT_STREQ("HBA has been removed or deactivated", StatusString(12));
    EXPECT_STREQ("", StatusString(13));
    EXPECT_STREQ("", StatusString(0xffffffffu));
    EXPECT_STREQ("HBA_GetAdapterAttributes call returned 3 (Invalid handle) for adapter 0 (qlc0)",
                 BadStatus("GetAdapterAttributes", 3, 0, "qlc0"));
    EXPECT_STREQ("HBA_GetPortStatistics call returned 13 () for adapter 4 (x)", BadStatus("GetPortStatistics", 13, 4, "x"));
}

TEST(HbaStatus, WarningStaysWithinItsBuffer) {
    std::string name(1000, 'n');
    std::string text = BadStatus("GetFcpTargetMapping", 7, 1, name.c_str());
    EXPECT_EQ(499u, text.size());
    EXPECT_EQ(0u, text.find("HBA_GetFcpTargetMapping call returned 7 (More data available) for adapter 1 (nnn"));
}

// The accessor of an HbaPortProvider constant.
#define CONSTANT(name) (&HbaPortProvider::Static::get_##name)

TEST(HbaCodes, PortTypesStatesAndOperationalStatus) {
    EXPECT_TRUE(CONSTANT(PORT_TYPE_OTHER) == portTypeConstant(2));
    EXPECT_TRUE(CONSTANT(PORT_TYPE_N) == portTypeConstant(5));
    EXPECT_TRUE(CONSTANT(PORT_TYPE_NL) == portTypeConstant(6));
    EXPECT_TRUE(CONSTANT(PORT_TYPE_FL) == portTypeConstant(7));
    EXPECT_TRUE(CONSTANT(PORT_TYPE_F) == portTypeConstant(8));
    EXPECT_TRUE(CONSTANT(PORT_TYPE_E) == portTypeConstant(9));
    for (HBA_PORTTYPE code : {0u, 1u, 3u, 4u, 10u, 20u, 21u, 99u}) {
        EXPECT_TRUE(CONSTANT(PORT_TYPE_UNKNOWN) == portTypeConstant(code)) << code;
    }

    EXPECT_TRUE(CONSTANT(PORT_STATE_UNKNOWN) == portStateConstant(0));
    EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_UNKNOWN) == operationalStatusConstant(0));
    EXPECT_TRUE(CONSTANT(PORT_STATE_UNKNOWN) == portStateConstant(1));
    EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_UNKNOWN) == operationalStatusConstant(1));
    EXPECT_TRUE(CONSTANT(PORT_STATE_ONLINE) == portStateConstant(2));
    EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_OK) == operationalStatusConstant(2));
    EXPECT_TRUE(CONSTANT(PORT_STATE_OFFLINE) == portStateConstant(3));
    EXPECT_TRUE(CONSTANT(PORT_STATE_BYPASSED) == portStateConstant(4));
    EXPECT_TRUE(CONSTANT(PORT_STATE_DIAGNOSTICS) == portStateConstant(5));
    EXPECT_TRUE(CONSTANT(PORT_STATE_LINK_DOWN) == portStateConstant(6));
    EXPECT_TRUE(CONSTANT(PORT_STATE_ERROR) == portStateConstant(7));
    EXPECT_TRUE(CONSTANT(PORT_STATE_LOOPBACK) == portStateConstant(8));
    for (HBA_PORTSTATE code : {3u, 4u, 5u, 8u}) {
        EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_IN_SERVICE) == operationalStatusConstant(code)) << code;
    }
    EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_ERROR) == operationalStatusConstant(6));
    EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_ERROR) == operationalStatusConstant(7));
    EXPECT_TRUE(CONSTANT(PORT_STATE_UNKNOWN) == portStateConstant(9));
    EXPECT_TRUE(CONSTANT(OPERATIONAL_STATUS_UNKNOWN) == operationalStatusConstant(9));
}

std::vector<HbaPortConstant> cosOf(HBA_COS mask) {
    std::vector<HbaPortConstant> out;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (mask & (1u << bit)) out.push_back(classOfServiceConstant(bit));
    }
    return out;
}

TEST(HbaCodes, ClassesOfServiceAndSpeeds) {
    EXPECT_TRUE((std::vector<HbaPortConstant>{CONSTANT(SUPPORTED_COS_2), CONSTANT(SUPPORTED_COS_3)}) == cosOf(0x0C));
    EXPECT_TRUE((std::vector<HbaPortConstant>{CONSTANT(SUPPORTED_COS_F), CONSTANT(SUPPORTED_COS_UNKNOWN)}) == cosOf(0x21));
    EXPECT_TRUE((std::vector<HbaPortConstant>{CONSTANT(SUPPORTED_COS_1), CONSTANT(SUPPORTED_COS_4),
                                              CONSTANT(SUPPORTED_COS_6), CONSTANT(SUPPORTED_COS_UNKNOWN),
                                              CONSTANT(SUPPORTED_COS_UNKNOWN)}) == cosOf(0x80000000u | 0x80u | 0x52u));

    EXPECT_EQ(1143535043ULL, portSpeedBitsPerSecond(1));
    EXPECT_EQ(2287070085ULL, portSpeedBitsPerSecond(2));
    EXPECT_EQ(11435350430ULL, portSpeedBitsPerSecond(4));
    for (HBA_PORTSPEED code : {0u, 3u, 8u}) EXPECT_EQ(0ULL, portSpeedBitsPerSecond(code)) << code;
}

TEST(TargetMapping, ExportedLunIsTheFirstTwoBytes) {
    EXPECT_EQ(5, exportedLun(static_cast<HBA_UINT64>(0x0005000000000000ULL)));
    EXPECT_EQ(64 * 256 + 5, exportedLun(static_cast<HBA_UINT64>(0x4005000000000000ULL)));
    EXPECT_EQ(1, exportedLun(static_cast<HBA_UINT64>(0x0001000000000000ULL)));
    // A first byte of 0x80 or more sets every one of the upper 48 bits.
    EXPECT_EQ(static_cast<int64_t>(0xffffffffffff8000ULL), exportedLun(static_cast<HBA_UINT64>(0x8000000000000000ULL)));
}

struct Field {
    char bytes[256];
    explicit Field(const std::string& text) {
        std::memset(bytes, 0, sizeof bytes);
        std::memcpy(bytes, text.data(), std::min(text.size(), sizeof bytes));
    }
};

std::string leadville(const std::string& os) {
    Field in(os);
    char out[256];
    std::memset(out, 'X', sizeof out);
    leadvilleDeviceName(in.bytes, out);
    return out;
}

TEST(TargetMapping, LeadvilleCut) {
    EXPECT_EQ("c4t50060E8004277F11d3", leadville("/dev/rdsk/c4t50060E8004277F11d3s2"));
    EXPECT_EQ("c2t1d0s0", leadville("/dev/rdsk/c2t1d0s0"));
    EXPECT_EQ("ssd@w50060e8004277f11,3:c,raw", leadville("/devices/pci@1f/fp@0,0/ssd@w50060e8004277f11,3:c,raw"));
    EXPECT_EQ("c1t0d0", leadville("c1t0d0s2"));  // no '/': the whole name
    EXPECT_EQ("", leadville("/dev/rdsk/"));
    // A full field without terminator is read within its 256 bytes.
    EXPECT_EQ(std::string(255, 'a'), leadville(std::string(256, 'a')));
    EXPECT_EQ(std::string(246, 'b'), leadville("/dev/rdsk/" + std::string(246, 'b')));
}

struct Asked {
    std::string order;
    bool keep = false, usingLv = false, force = false;
    std::string name(const std::string& os, unsigned bus, unsigned target, unsigned lun) {
        HBA_FCPSCSIENTRY entry;
        std::memset(&entry, 0, sizeof entry);
        std::memcpy(entry.ScsiId.OSDeviceName, os.data(), std::min(os.size(), sizeof entry.ScsiId.OSDeviceName));
        entry.ScsiId.ScsiTargetNumber = target;
        entry.ScsiId.ScsiOSLun = lun;
        char out[256];
        chooseDeviceName(
            entry, bus, [&] { order += "k"; return keep; }, [&] { order += "u"; return usingLv; },
            [&] { order += "f"; return force; }, out);
        out[255] = '\0';
        return out;
    }
};

TEST(TargetMapping, DeviceNameRulesAndTheOrderSwitchesAreAsked) {
    Asked plain;
    EXPECT_EQ("c0t5d3", plain.name("/dev/rdsk/c4t5d3s2", 0, 5, 3));
    EXPECT_EQ("kuf", plain.order);

    Asked keep;
    keep.keep = true;
    EXPECT_EQ("/dev/rdsk/c4t5d3s2", keep.name("/dev/rdsk/c4t5d3s2", 0, 5, 3));
    EXPECT_EQ("k", keep.order);

    Asked usingLv;
    usingLv.usingLv = true;
    EXPECT_EQ("c2t1d0", usingLv.name("/dev/rdsk/c2t1d0s2", 0, 1, 0));
    EXPECT_EQ("ku", usingLv.order);  // the forcing switch is not asked
    usingLv.order.clear();
    EXPECT_EQ("c7t1d0", usingLv.name("/devices/pci@1f/ssd@w1,0:c,raw", 7, 1, 0));
    EXPECT_EQ("kuf", usingLv.order);

    Asked forced;
    forced.force = true;
    EXPECT_EQ("ssd@w1,0:c,raw", forced.name("/devices/pci@1f/ssd@w1,0:c,raw", 0, 1, 0));
    EXPECT_EQ("c9t9d9", forced.name("c9t9d9s2", 0, 1, 0));
    EXPECT_EQ("kufkuf", forced.order);

    Asked big;
    EXPECT_EQ("c-1t-2d4294967", big.name("", 0xffffffffu, 0xfffffffeu, 4294967u));
}

// A library stand-in for the mapping protocol: `count` entries, answering 7 while the
// caller's table is too small, with scripted statuses per call.
struct FakeLibrary {
    static HBA_UINT32 count;
    static std::vector<HBA_STATUS> script;  // status of each call; 0 means "answer normally"
    static std::vector<HBA_UINT32> rooms;

    static HBA_STATUS get(HBA_HANDLE, HBA_FCPTARGETMAPPING* table) {
        size_t call = rooms.size();
        HBA_UINT32 room = table->NumberOfEntries;
        rooms.push_back(room);
        HBA_STATUS s = call < script.size() ? script[call] : 0;
        if (s != 0 && s != 7) return s;
        for (HBA_UINT32 i = 0; i < std::min(room, count); ++i) {
            std::memset(&table->entry[i], 0, sizeof table->entry[i]);
            table->entry[i].ScsiId.ScsiOSLun = i;
        }
        table->NumberOfEntries = count;
        return (count > room || s == 7) ? 7 : 0;
    }
    static void reset(HBA_UINT32 n, std::vector<HBA_STATUS> s = {}) {
        count = n;
        script = std::move(s);
        rooms.clear();
    }
};
HBA_UINT32 FakeLibrary::count;
std::vector<HBA_STATUS> FakeLibrary::script;
std::vector<HBA_UINT32> FakeLibrary::rooms;

TEST(MappingTable, SizesAndTheEnlargedRetry) {
    EXPECT_EQ(155656u, mappingTableBytes(512));
    EXPECT_EQ(182408u, mappingTableBytes(600));

    FcpTargetMappingTable table;
    FakeLibrary::reset(3);
    EXPECT_EQ(0u, table.fetch(1, FakeLibrary::get));
    EXPECT_EQ(3u, table.size());
    EXPECT_EQ((std::vector<HBA_UINT32>{512}), FakeLibrary::rooms);

    FakeLibrary::reset(600);
    EXPECT_EQ(0u, table.fetch(1, FakeLibrary::get));
    EXPECT_EQ((std::vector<HBA_UINT32>{512, 600}), FakeLibrary::rooms);
    ASSERT_EQ(600u, table.size());
    EXPECT_EQ(599u, table.entry(599).ScsiId.ScsiOSLun);

    // The same object serves the next adapter from its own 512 entries again.
    FakeLibrary::reset(2);
    EXPECT_EQ(0u, table.fetch(1, FakeLibrary::get));
    EXPECT_EQ(2u, table.size());
    EXPECT_EQ(512u, table.room());
}

TEST(MappingTable, FailuresLeaveAnEmptyTable) {
    FcpTargetMappingTable table;
    FakeLibrary::reset(600, {0, 7});  // a second "more data": no further retry
    EXPECT_EQ(7u, table.fetch(1, FakeLibrary::get));
    EXPECT_EQ(0u, table.size());
    EXPECT_EQ(2u, FakeLibrary::rooms.size());

    FakeLibrary::reset(600, {0, 1});  // the enlarged retry fails
    EXPECT_EQ(1u, table.fetch(1, FakeLibrary::get));
    EXPECT_EQ(0u, table.size());

    FakeLibrary::reset(3, {3});
    EXPECT_EQ(3u, table.fetch(1, FakeLibrary::get));
    EXPECT_EQ(0u, table.size());
    EXPECT_EQ(1u, FakeLibrary::rooms.size());
}

TEST(MappingTable, ReportedCountNeverExceedsTheRoomGiven) {
    // A status of 0 with a count past the 512 entries of the first table is cut to 512.
    FcpTargetMappingTable table;
    auto claimsOk = [](HBA_HANDLE, HBA_FCPTARGETMAPPING* t) -> HBA_STATUS {
        t->NumberOfEntries = 100000;
        return 0;
    };
    EXPECT_EQ(0u, table.fetch(1, claimsOk));
    EXPECT_EQ(512u, table.size());
}

namespace {

HBA_FCPSCSIENTRY entryNamed(const std::string& os, HBA_UINT32 bus = 0) {
    HBA_FCPSCSIENTRY entry;
    std::memset(&entry, 0, sizeof entry);
    std::memcpy(entry.ScsiId.OSDeviceName, os.data(), std::min(os.size(), sizeof entry.ScsiId.OSDeviceName));
    entry.ScsiId.ScsiBusNumber = bus;
    return entry;
}

}  // namespace

TEST(TargetMapping, BusDivinedFromNamesAndDeviceLinks) {
    testsupport::SimHost host(R"({"disks": [
        {"name": "c5t0d0", "node": "/pci@1f/fp@0,0/ssd@w50060e8004277f11,01", "driver": "ssd", "instance": 1},
        {"name": "c3t0d0", "node": "/pci@1f/fp@0,0/ssd@w50060e8004277f11,0", "driver": "ssd", "instance": 0}],
      "dev_entries": [{"dir": "rdsk", "name": "c9t0d0s2", "link": "../../elsewhere/pci@2:a,raw"},
                      {"dir": "rdsk", "name": "c8t0d0s2"}]})");

    // Each pass over the mappings reads the directory through a RawDeviceBuses of its own.
    auto divine = [](const HBA_FCPSCSIENTRY& entry) {
        devices::RawDeviceBuses buses;
        return divineScsiBusNumber(entry, buses);
    };
    EXPECT_EQ(4u, divine(entryNamed("/devices/whatever", 4)));  // the library's own bus
    EXPECT_EQ(12u, divine(entryNamed("c12t3d0s2")));
    EXPECT_EQ(7u, divine(entryNamed("/dev/dsk/c7t1d0s2")));
    EXPECT_EQ(0u, divine(entryNamed("/dev/rdsk/c7t1d0s2")));  // not parsed
    // The link of c3t0d0's slices continues with ':' after the path; c5t0d0's path only
    // begins with it.
    EXPECT_EQ(3u, divine(entryNamed("/devices/pci@1f/fp@0,0/ssd@w50060e8004277f11,0")));
    // c9t0d0s2 has no "/devices/" in its link, c8t0d0s2 is no link.
    EXPECT_EQ(0u, divine(entryNamed("/devices/pci@2")));
    EXPECT_EQ(0u, divine(entryNamed("/devices/pci@9/ssd@w1,0")));
    // An unterminated 256-byte name is read within its field.
    EXPECT_EQ(0u, divine(entryNamed("/devices/" + std::string(247, 'x'))));
}

TEST(MappingTable, EntriesGroupByTargetPortInTableOrder) {
    FcpTargetMappingTable table;
    FakeLibrary::reset(5);
    ASSERT_EQ(0u, table.fetch(1, FakeLibrary::get));
    const unsigned char ports[5] = {1, 2, 1, 3, 1};
    for (HBA_UINT32 e = 0; e < 5; ++e) table.entry(e).FcpId.PortWWN.wwn[7] = ports[e];
    MappingsByPort byPort(table);

    HBA_WWN port{};
    port.wwn[7] = 1;
    EXPECT_EQ((std::vector<HBA_UINT32>{0, 2, 4}), byPort.of(port));
    port.wwn[7] = 3;
    EXPECT_EQ((std::vector<HBA_UINT32>{3}), byPort.of(port));
    port.wwn[0] = 3;  // differs in another byte
    EXPECT_TRUE(byPort.of(port).empty());
}

TEST(TargetMapping, OneReadingOfTheDeviceDirectoryServesEveryMapping) {
    testsupport::SimHost host(R"({"dev_entries": [
        {"dir": "rdsk", "name": "cxt0d0s2", "link": "../../devices/pci@7/ssd@w1,0:c,raw"},
        {"dir": "rdsk", "name": "c6t0d0s2", "link": "../../devices/pci@7/ssd@w1,0:c,raw"},
        {"dir": "rdsk", "name": "c2t0d0s2", "link": "../../devices/pci@7/ssd@w1,0:c,raw"},
        {"dir": "rdsk", "name": "c4t0d0s2", "link": "../../devices/pci@7/ssd@w2,0:c,raw"}]})");
    devices::RawDeviceBuses buses;
    // The first entry in directory order whose name gives a bus: cxt0d0s2 gives none.
    EXPECT_EQ(6u, divineScsiBusNumber(entryNamed("/devices/pci@7/ssd@w1,0"), buses));
    EXPECT_EQ(4u, divineScsiBusNumber(entryNamed("/devices/pci@7/ssd@w2,0"), buses));
    EXPECT_EQ(0u, divineScsiBusNumber(entryNamed("/devices/pci@7/ssd@w"), buses));  // a prefix only
    EXPECT_EQ(0u, divineScsiBusNumber(entryNamed("/devices/pci@7/ssd@w1,0:c,raw"), buses));

    // Read once: entries added later are not seen by the same pass, but by the next one.
    host.replace(R"({"dev_entries": [
        {"dir": "rdsk", "name": "c9t0d0s2", "link": "../../devices/pci@8/ssd@w1,0:c,raw"}]})");
    EXPECT_EQ(0u, divineScsiBusNumber(entryNamed("/devices/pci@8/ssd@w1,0"), buses));
    devices::RawDeviceBuses nextPass;
    EXPECT_EQ(9u, divineScsiBusNumber(entryNamed("/devices/pci@8/ssd@w1,0"), nextPass));
}
