// The disk map against simulated "/dev/dsk" directories.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "devices/SolarisDiskMap.h"

using testsupport::SimHost;

TEST(SolarisDiskMap, MapsDeviceIdsAndDriverInstanceNamesBothWays) {
    SimHost host(R"({"disks": [
      {"name": "c0t0d0", "node": "/pci@1f,4000/scsi@3/sd@0,0", "driver": "sd", "instance": 0},
      {"name": "c1t3d0", "node": "/pci@1f,4000/scsi@3/sd@3,0", "driver": "sd", "instance": 3},
      {"name": "c2t1d0", "node": "/pci@1d,700000/SUNW,qlc@1/fp@0,0/ssd@w21000020370c0de8,0",
       "driver": "ssd", "instance": 12},
      {"name": "c3t1d0", "node": "/pci@1e,600000/SUNW,ssd@1,0", "driver": "ssd", "instance": 5},
      {"name": "c4t0d0", "node": "/pseudo/vx9Dmp", "driver": "vxdmp", "instance": 2}]})");
    SolarisDiskMap map;
    EXPECT_EQ("sd0", map.getSDxNameFromMap("c0t0d0"));
    EXPECT_EQ("c0t0d0", map.getDeviceIdFromMap("sd0"));
    EXPECT_EQ("sd3", map.getSDxNameFromMap("c1t3d0"));
    EXPECT_EQ("ssd12", map.getSDxNameFromMap("c2t1d0"));  // minor 96
    EXPECT_EQ("c2t1d0", map.getDeviceIdFromMap("ssd12"));
    EXPECT_EQ("ssd5", map.getSDxNameFromMap("c3t1d0"));   // SUNW,ssd@1,0:a: capitals and comma passed over
    EXPECT_EQ("vxmpa2", map.getSDxNameFromMap("c4t0d0"));  // no "@": every lowercase letter of vx9Dmp:a
    // Lookups are exact, and a miss stays a miss.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ("", map.getSDxNameFromMap("c0t0d0s0"));
        EXPECT_EQ("", map.getSDxNameFromMap("C0T0D0"));
        EXPECT_EQ("", map.getDeviceIdFromMap("sd1"));
        EXPECT_EQ("", map.getDeviceIdFromMap(""));
    }
}

TEST(SolarisDiskMap, OnlySliceZeroEntriesWithReadableNodesCount) {
    SimHost host(R"({"disks": [
      {"name": "c0t0d0", "node": "/pci@1f,4000/scsi@3/sd@0,0", "driver": "sd", "instance": 0,
       "slices": [1, 2, 3, 4, 5, 6, 7]},
      {"name": "c1t0d0", "node": "/pci@1f,4000/scsi@4/ssd@0,0", "driver": "ssd", "instance": 1}],
      "dev_entries": [
        {"dir": "dsk", "name": "c1t3d0s0", "node": {"minor": 101, "disk": "c1t0d0", "slice": 0},
         "link": "../../devices/pci@1f,4000/scsi@4/ssd@3,0:a"},
        {"dir": "dsk", "name": "c7t0d0s0", "link": "../../devices/nowhere:a"},
        {"dir": "dsk", "name": "c8t0d0s0"},
        {"dir": "dsk", "name": "c9t0d0s0", "link": "sd@0,0:a"}]})");
    SolarisDiskMap map;
    EXPECT_EQ("", map.getSDxNameFromMap("c0t0d0"));         // no slice 0 entry
    EXPECT_EQ("ssd1", map.getSDxNameFromMap("c1t0d0"));
    EXPECT_EQ("ssd12", map.getSDxNameFromMap("c1t3d0"));    // minor 101 is instance 12 too
    EXPECT_EQ("", map.getSDxNameFromMap("c7t0d0"));         // link to nothing
    EXPECT_EQ("", map.getSDxNameFromMap("c8t0d0"));         // plain entry
    EXPECT_EQ("", map.getSDxNameFromMap("c9t0d0"));
}

TEST(SolarisDiskMap, LaterEntryForTheSameDeviceIdWins) {
    SimHost host(R"({"disks": [
      {"name": "c0t0d0", "node": "/pci@1f,4000/scsi@3/sd@0,0", "driver": "sd", "instance": 0,
       "slices": [0]}],
      "dev_entries": [
        {"dir": "dsk", "name": "c0t0d0s0x", "node": {"minor": 40, "disk": "c0t0d0", "slice": 0},
         "link": "../../devices/pci@1f,4000/scsi@3/sd@5,0:a"}]})");
    SolarisDiskMap map;
    EXPECT_EQ("sd5", map.getSDxNameFromMap("c0t0d0"));
    EXPECT_EQ("c0t0d0", map.getDeviceIdFromMap("sd0"));
    EXPECT_EQ("c0t0d0", map.getDeviceIdFromMap("sd5"));
}

TEST(SolarisDiskMap, EmptyOrUnusableDirectoryGivesEmptyMaps) {
    SimHost host("{}");
    SolarisDiskMap empty;
    EXPECT_EQ("", empty.getSDxNameFromMap("c0t0d0"));
    host.replace("{ not json");
    SolarisDiskMap broken;
    EXPECT_EQ("", broken.getDeviceIdFromMap("sd0"));
}
