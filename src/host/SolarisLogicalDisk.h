// Logical disks: the mounted UFS and NFS file systems of the mount table.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct LogicalDisk {
    std::string name;        // the mounted resource
    std::string mountPoint;
    std::string fileSystemType;
    uint64_t size = 0;       // bytes
    uint64_t available = 0;  // bytes available to unprivileged users
    uint64_t free = 0;       // bytes
    uint64_t blockSize = 0;  // preferred block size in bytes
};

// The names of every logical disk in mount table order (duplicates kept); empty when the
// mount table cannot be read.
std::vector<std::string> ListLogicalDisks();

// The first logical disk named `name`, with its capacities when `withCapacities` is set.
// Raises MountTableError or LogicalDiskNotFound.
LogicalDisk GetLogicalDisk(const std::string& name, bool withCapacities);
