// Logical disks from the simulated mount table.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "host/SolarisLogicalDisk.h"
#include "jni/NativeError.h"

using testsupport::SimHost;

namespace {

const char* kTable = R"({"mnttab": {"entries": [
  {"special": "/dev/dsk/c0t0d0s0", "mountp": "/", "fstype": "ufs", "options": "rw", "time": "1",
   "statvfs": {"bsize": 8192, "frsize": 1024, "blocks": 8000000, "bfree": 3000000, "bavail": 2900000}},
  {"special": "swap", "mountp": "/tmp", "fstype": "tmpfs"},
  {"special": "/proc", "mountp": "/proc", "fstype": "proc"},
  {"special": "nfs1:/export/home", "mountp": "/home", "fstype": "nfs", "statvfs_fails": true},
  {"special": "/dev/dsk/c0t0d0s0", "mountp": "/second", "fstype": "ufs"},
  {"special": "/dev/dsk/c0t1d0s0", "mountp": "/ufsish", "fstype": "ufs2"}]}})";

std::string failureOf(const std::string& name) {
    try {
        GetLogicalDisk(name, true);
    } catch (NativeError e) {
        return e.message();
    }
    return "(found)";
}

}  // namespace

TEST(LogicalDisks, ListsUfsAndNfsResourcesInTableOrder) {
    SimHost host(kTable);
    EXPECT_EQ((std::vector<std::string>{"/dev/dsk/c0t0d0s0", "nfs1:/export/home", "/dev/dsk/c0t0d0s0"}),
              ListLogicalDisks());
    host.replace(R"({"mnttab": {"unreadable": true}})");
    EXPECT_TRUE(ListLogicalDisks().empty());
}

TEST(LogicalDisks, LookupMatchesExactlyAndReportsCapacitiesOnRequest) {
    SimHost host(kTable);
    LogicalDisk root = GetLogicalDisk("/dev/dsk/c0t0d0s0", true);
    EXPECT_EQ("/", root.mountPoint);  // the first of two entries with that resource
    EXPECT_EQ("ufs", root.fileSystemType);
    EXPECT_EQ(8000000ull * 1024, root.size);
    EXPECT_EQ(2900000ull * 1024, root.available);
    EXPECT_EQ(3000000ull * 1024, root.free);
    EXPECT_EQ(8192u, root.blockSize);

    LogicalDisk bare = GetLogicalDisk("/dev/dsk/c0t0d0s0", false);
    EXPECT_EQ(0u, bare.size + bare.available + bare.free + bare.blockSize);

    LogicalDisk home = GetLogicalDisk("nfs1:/export/home", true);
    EXPECT_EQ("/home", home.mountPoint);
    EXPECT_EQ(0u, home.size);  // statvfs64 failed: capacities stay zero

    EXPECT_EQ("Logical Disk Not Found: swap", failureOf("swap"));
    EXPECT_EQ("Logical Disk Not Found: /dev/dsk/c0t0d0s", failureOf("/dev/dsk/c0t0d0s"));
    EXPECT_EQ("Logical Disk Not Found: /dev/dsk/c0t1d0s0", failureOf("/dev/dsk/c0t1d0s0"));
    EXPECT_EQ(std::string("Logical Disk Not Found: /dev/dsk/c0t0d0s0\0x", 43),
              failureOf(std::string("/dev/dsk/c0t0d0s0\0x", 19)));

    host.replace(R"({"mnttab": {"unreadable": true}})");
    EXPECT_EQ("Unable to open mount table file: /etc/mnttab", failureOf("/dev/dsk/c0t0d0s0"));
}
