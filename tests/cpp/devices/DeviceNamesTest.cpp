// The naming rules of the disk providers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "devices/DeviceNames.h"
#include "devices/RawDeviceBuses.h"

namespace {

TEST(DiskEntries, WholeDiskEntriesAndTheirDeviceIds) {
    EXPECT_TRUE(devices::isWholeDiskEntry("c0t0d0s2"));
    EXPECT_FALSE(devices::isWholeDiskEntry("c0t0d0s0"));
    EXPECT_FALSE(devices::isWholeDiskEntry("s2"));
    EXPECT_FALSE(devices::isWholeDiskEntry(".."));
    EXPECT_FALSE(devices::isWholeDiskEntry("emcpower0c"));
    EXPECT_EQ("c0t0d0", devices::diskDeviceId("c0t0d0s2"));
    EXPECT_EQ("c4t50060E8004277F11d3", devices::diskDeviceId("c4t50060E8004277F11d3s2"));
}

TEST(DiskEntries, PartitionDeviceIds) {
    EXPECT_EQ("c0t0d0", devices::partitionDeviceId("c0t0d0s3"));
    EXPECT_EQ("emcpower0", devices::partitionDeviceId("emcpower0a"));
    EXPECT_EQ("emcpower12", devices::partitionDeviceId("emcpower12h"));
    EXPECT_EQ("c0t0d0", devices::partitionDeviceId("c0t0d0"));  // no "s", not emcpower
    EXPECT_EQ("di", devices::partitionDeviceId("disk7s0"));     // cut at the first "s"
    EXPECT_EQ("ab", devices::partitionDeviceId("ab"));
}

// The label sits in a heap block of exactly its size, so a read past it is caught.
std::string model(const std::string& bytes) {
    std::unique_ptr<char[]> label(new char[128]);
    std::memset(label.get(), 0, 128);
    std::memcpy(label.get(), bytes.data(), std::min<size_t>(bytes.size(), 128));
    return devices::labelModel(label.get(), 128);
}

TEST(DiskLabel, ModelIsTheFirstWord) {
    EXPECT_EQ("SUN36G", model("SUN36G cyl 24620 alt 2 hd 27 sec 107"));
    EXPECT_EQ("NOBLANK", model("NOBLANK"));
    EXPECT_EQ(" ", model(std::string(128, 'L')));
    EXPECT_EQ("", model(" leading blank"));
    EXPECT_EQ("", model(""));
    EXPECT_EQ(std::string(127, 'L'), model(std::string(127, 'L') + " "));
}

TEST(DiskLink, PhysicalPathFromDevicesToTheLastColon) {
    EXPECT_EQ("/pci@1f,4000/scsi@3/sd@0,0", devices::physicalPath("../../devices/pci@1f,4000/scsi@3/sd@0,0:c,raw"));
    EXPECT_EQ("/pseudo/emcp@0", devices::physicalPath("../../devices/pseudo/emcp@0:a,raw"));
    EXPECT_EQ("/pci@1f,4000/scsi@3/sd@6,0", devices::physicalPath("../../devices/pci@1f,4000/scsi@3/sd@6,0"));
    EXPECT_EQ("/a:b", devices::physicalPath("/devices/a:b:c"));
    EXPECT_FALSE(devices::physicalPath("../../elsewhere/sd@5,0:c,raw"));
    EXPECT_FALSE(devices::physicalPath("../../devices"));
}

TEST(DiskLink, DevicesPartOfATarget) {
    EXPECT_STREQ("/devices/a:b", devices::devicesPart("../../devices/a:b"));
    EXPECT_EQ(nullptr, devices::devicesPart("../../devices"));
}

TEST(DiskLink, DriverNameFromTheLastComponent) {
    EXPECT_EQ("sd", devices::driverName("../../devices/pci@1f,4000/scsi@3/sd@0,0:a"));
    EXPECT_EQ("ssd", devices::driverName("../../devices/pci@8,600000/SUNW,ssd@1,0:a"));
    EXPECT_EQ("ssd", devices::driverName("../../devices/ssd@1,0:a//"));  // empty components are passed over
    EXPECT_EQ("", devices::driverName("/"));
    EXPECT_FALSE(devices::driverName("sd@0,0:a"));  // no "/": no driver
    EXPECT_EQ(std::string(255, 'd'), devices::driverName("x/" + std::string(300, 'd') + "@0"));
}

TEST(DiskNames, NamesFromJavaStayWithinLimitsAndTheDirectory) {
    EXPECT_TRUE(devices::acceptableName("c0t0d0", 2));
    EXPECT_TRUE(devices::acceptableName(std::string(97, 'x'), 2));
    EXPECT_FALSE(devices::acceptableName(std::string(98, 'x'), 2));
    EXPECT_TRUE(devices::acceptableName(std::string(99, 'x'), 0));
    EXPECT_FALSE(devices::acceptableName(std::string(100, 'x'), 0));
    EXPECT_FALSE(devices::acceptableName("../../etc/x", 0));
}

}  // namespace

TEST(RawDeviceBuses, BusNumberParsing) {
    bool found = false;
    EXPECT_EQ(12u, devices::parseScsiBusNumber("c12t3d0s2", found));
    EXPECT_TRUE(found);
    found = false;
    EXPECT_EQ(0u, devices::parseScsiBusNumber("c12d0", found));
    EXPECT_EQ(0u, devices::parseScsiBusNumber("sd0", found));
    EXPECT_EQ(0u, devices::parseScsiBusNumber("ct0", found));
    EXPECT_EQ(0u, devices::parseScsiBusNumber("c", found));
    EXPECT_FALSE(found);
    found = true;  // a miss leaves an earlier find standing
    EXPECT_EQ(0u, devices::parseScsiBusNumber("c12", found));
    EXPECT_TRUE(found);
    found = false;
    EXPECT_EQ(0u, devices::parseScsiBusNumber("c0t5d3", found));
    EXPECT_TRUE(found);
}
