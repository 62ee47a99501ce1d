// Logical disks: the mounted UFS and NFS file systems of the mount table.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
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

// One reading of the mount table: the name of every logical disk in table order (duplicates
// kept), and the first entry of each name as a lookup by that name answers it, without
// capacities. Empty when the mount table cannot be read.
struct LogicalDiskListing {
    std::vector<std::string> names;
    std::unordered_map<std::string, LogicalDisk> firstByName;

    // The first entry named `name`; raises LogicalDiskNotFound.
    const LogicalDisk& find(const std::string& name) const;
};
LogicalDiskListing ReadLogicalDisks();

// The names of every logical disk in mount table order (duplicates kept); empty when the
// mount table cannot be read.
std::vector<std::string> ListLogicalDisks();

// The first logical disk named `name`, with its capacities when `withCapacities` is set.
// Raises MountTableError or LogicalDiskNotFound.
LogicalDisk GetLogicalDisk(const std::string& name, bool withCapacities);
