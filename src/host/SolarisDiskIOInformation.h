// Disk I/O statistics: the cumulative I/O counters of each disk, under both of its names.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct diskIOData {
    std::string name;      // driver-instance name (sd3)
    std::string deviceId;  // device id (c1t3d0), "" when the disk map has none
    uint64_t bytesRead;
    uint64_t bytesWritten;
    int64_t runTime;               // rtime, nanoseconds
    int64_t waitQueueUpdateTime;   // wlastupdate, nanoseconds
};

// One record per readable I/O statistic of class "disk", in chain order. Raises NativeError
// "kstat open failed.".
std::vector<diskIOData> getDiskIOData();

// The record of the disk with device id `deviceId`; raises DiskIONameNotFound.
diskIOData getDiskIOData(const std::string& deviceId);

// The driver-instance name of a device id, or "".
std::string getSDxName(const std::string& deviceId);
