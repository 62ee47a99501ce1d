// Logical disks from the simulated mount table: which entries count and how names match.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "host/SolarisLogicalDisk.h"
#include "jni/NativeError.h"

using testsupport::SimHost;

namespace {

std::string failureOf(const std::string& name) {
    try {
        GetLogicalDisk(name, true);
    } catch (jni::NativeError e) {
        return e.message();
    }
    return "(found)";
}

}  // namespace

TEST(LogicalDisks, OnlyExactlyUfsAndNfsEntriesCountAndNamesMatchWhole) {
    SimHost host(R"({"mnttab": {"entries": [
      {"special": "/dev/dsk/c0t0d0s0", "mountp": "/", "fstype": "ufs"},
      {"special": "swap", "mountp": "/tmp", "fstype": "tmpfs"},
      {"special": "nfs1:/export/home", "mountp": "/home", "fstype": "nfs", "statvfs_fails": true},
      {"special": "/dev/dsk/c0t0d0s0", "mountp": "/second", "fstype": "ufs"},
      {"special": "/dev/dsk/c0t1d0s0", "mountp": "/ufsish", "fstype": "ufs2"}]}})");
    EXPECT_EQ((std::vector<std::string>{"/dev/dsk/c0t0d0s0", "nfs1:/export/home", "/dev/dsk/c0t0d0s0"}),
              ListLogicalDisks());
    EXPECT_EQ("/", GetLogicalDisk("/dev/dsk/c0t0d0s0", false).mountPoint);  // the first of two
    EXPECT_EQ(0u, GetLogicalDisk("nfs1:/export/home", true).size);          // statvfs64 failed
    EXPECT_EQ("Logical Disk Not Found: /dev/dsk/c0t1d0s0", failureOf("/dev/dsk/c0t1d0s0"));
    EXPECT_EQ("Logical Disk Not Found: /dev/dsk/c0t0d0s", failureOf("/dev/dsk/c0t0d0s"));
    // A name with a NUL byte is compared whole, not up to the NUL.
    EXPECT_EQ(std::string("Logical Disk Not Found: /dev/dsk/c0t0d0s0\0x", 43),
              failureOf(std::string("/dev/dsk/c0t0d0s0\0x", 19)));

    host.replace(R"({"mnttab": {"unreadable": true}})");
    EXPECT_TRUE(ListLogicalDisks().empty());
    EXPECT_EQ("Unable to open mount table file: /etc/mnttab", failureOf("/dev/dsk/c0t0d0s0"));
}

TEST(LogicalDisks, OneReadingListsEveryEntryAndAnswersEachNameWithItsFirst) {
    SimHost host(R"({"mnttab": {"entries": [
      {"special": "/dev/dsk/c0t0d0s0", "mountp": "/", "fstype": "ufs"},
      {"mountp": "/nameless", "fstype": "nfs"},
      {"special": "/dev/dsk/c0t0d0s0", "mountp": "/second", "fstype": "ufs"},
      {"special": "fs1:/export", "mountp": "/export", "fstype": "nfs"}]}})");
    LogicalDiskListing listing = ReadLogicalDisks();
    EXPECT_EQ((std::vector<std::string>{"/dev/dsk/c0t0d0s0", "", "/dev/dsk/c0t0d0s0", "fs1:/export"}), listing.names);
    EXPECT_EQ("/", listing.find("/dev/dsk/c0t0d0s0").mountPoint);  // what a lookup by name answers
    EXPECT_EQ("nfs", listing.find("fs1:/export").fileSystemType);
    EXPECT_EQ(0u, listing.find("fs1:/export").size);  // no capacities in a listing
    // A nameless entry is listed but answers no name: the enumeration leaves it out.
    try {
        listing.find("");
        ADD_FAILURE() << "a nameless entry was found";
    } catch (jni::NativeError e) {
        EXPECT_EQ("Logical Disk Not Found: ", e.message());
    }
}

TEST(LogicalDisks, AMalformedLineHidesNoLaterEntry) {
    // A tab in a field splits its line into too many fields; the entries after it still count.
    SimHost host(R"({"mnttab": {"entries": [
      {"special": "/dev/dsk/c0t0d0s0", "mountp": "/with\ttab", "fstype": "ufs"},
      {"special": "/dev/dsk/c0t1d0s0", "mountp": "/after", "fstype": "ufs"}]}})");
    EXPECT_EQ((std::vector<std::string>{"/dev/dsk/c0t1d0s0"}), ListLogicalDisks());
    EXPECT_EQ("/after", GetLogicalDisk("/dev/dsk/c0t1d0s0", false).mountPoint);
}
