// Disk I/O statistics of one disk, asked for by its device id.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "host/SolarisDiskIOInformation.h"
#include "jni/NativeError.h"

using testsupport::SimHost;

namespace {

std::string failureOf(const std::string& deviceId) {
    try {
        getDiskIOData(deviceId);
    } catch (jni::NativeError e) {
        return e.message();
    }
    return "(found)";
}

}  // namespace

TEST(DiskIOData, OneDiskByDeviceIdOrDiskIONameNotFound) {
    SimHost host(R"({"disks": [
      {"name": "c0t0d0", "node": "/pci@1f,4000/scsi@3/sd@0,0", "driver": "sd", "instance": 0},
      {"name": "c1t3d0", "node": "/pci@1f,4000/scsi@3/sd@3,0", "driver": "sd", "instance": 3}],
      "kstat": {"chain": [
        {"module": "sd", "instance": 3, "name": "sd3", "class": "partition", "type": "io", "io": {"nread": 1}},
        {"module": "sd", "instance": 3, "name": "sd3", "class": "disk", "type": "io",
         "io": {"nread": 1000, "nwritten": 2000, "wlastupdate": 777, "rtime": 888}}]}})");
    EXPECT_EQ("sd3", getSDxName("c1t3d0"));
    EXPECT_EQ("", getSDxName("c9t9d9"));

    diskIOData record = getDiskIOData("c1t3d0");  // the disk's statistic, not its partition's
    EXPECT_EQ("sd3", record.name);
    EXPECT_EQ("c1t3d0", record.deviceId);
    EXPECT_EQ(1000u, record.bytesRead);
    EXPECT_EQ(2000u, record.bytesWritten);
    EXPECT_EQ(777, record.waitQueueUpdateTime);
    EXPECT_EQ(888, record.runTime);

    // Known to the disk map but without a statistic, and unknown to it.
    EXPECT_EQ("Unable to find Disk IO Information name: c0t0d0", failureOf("c0t0d0"));
    EXPECT_EQ("Unable to find Disk IO Information name: c9t9d9", failureOf("c9t9d9"));

    host.replace(R"({"kstat": {"open_fails": true}, "disks": [
      {"name": "c1t3d0", "node": "/pci@1f,4000/scsi@3/sd@3,0", "driver": "sd", "instance": 3}]})");
    EXPECT_EQ("kstat open failed.", failureOf("c1t3d0"));
    EXPECT_EQ("Unable to find Disk IO Information name: c9t9d9", failureOf("c9t9d9"));  // no statistics opened
}
