// The device namespace of the simulated host: "/dev/dsk" and "/dev/rdsk" entries linking to
// device nodes under "/devices", made from the description's disks and dev_entries, and the
// descriptors of opened simulated devices.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "sim/SimHost.h"
#include "sol/mkdev.h"

namespace sim {

struct DeviceNode {
    bool block = false;    // block node (/dev/dsk), else character node (/dev/rdsk)
    const json* disk = nullptr;
    int slice = 0;
    sol::dev_t rdev = 0;
    std::string access = "rw";  // the disk's "access": rw, ro or none
};

struct DirEntry {
    std::string name;
    std::optional<std::string> link;  // target as written in the link; none for a plain entry
    // Resolved once the namespace is built: the link's absolute path and the node it reaches
    // (null when none does).
    std::string target;
    const DeviceNode* node = nullptr;
};

class DeviceNamespace {
public:
    explicit DeviceNamespace(const Host& host);

    // The entries of a simulated directory ("/dev/dsk" or "/dev/rdsk"), or null.
    const std::vector<DirEntry>* directory(const std::string& path) const;
    // The entry at a full path inside a simulated directory, or null.
    const DirEntry* entry(const std::string& path) const;
    // The device node at a full "/devices" path, or null.
    const DeviceNode* node(const std::string& path) const;
    // The device node a full path reaches: an entry's link target, or the node itself.
    const DeviceNode* resolve(const std::string& path) const;

    // The major number the namespace gives a driver name.
    sol::major_t driverMajor(const std::string& driver) const;

private:
    std::vector<DirEntry> dsk_, rdsk_;
    // Entry name -> position of its first entry, in each directory.
    std::unordered_map<std::string, size_t> dskIndex_, rdskIndex_;
    std::unordered_map<std::string, DeviceNode> nodes_;
    mutable std::map<std::string, sol::major_t> majors_;
};

std::shared_ptr<const DeviceNamespace> devices(const Host& host);

// True for paths the simulated host serves: the disk directories, their entries and /devices.
bool isSimulatedPath(const std::string& absolutePath);

// `path` made absolute against `base` (or the simulated current directory when base is
// empty), with "." and ".." resolved.
std::string absolutePath(const std::string& path, const std::string& base = "");

// The simulated current directory ("" when the real one is in force).
std::string currentDirectory();
void setCurrentDirectory(const std::string& path);

// An opened simulated device.
struct OpenDevice {
    std::shared_ptr<const Host> host;
    std::string path;  // the /devices path of the node
    const json* disk = nullptr;
    int slice = 0;
    sol::dev_t rdev = 0;
    int oflag = 0;
    bool readWrite() const;
};

}  // namespace sim

namespace sol::simulated {

// The disk ioctls (DKIOC*) and the SCSI pass-through (USCSICMD) of an opened simulated device:
// the request's result, or -1 with errno.
int dkioIoctl(const sim::OpenDevice& dev, int request, void* arg);
int uscsiIoctl(const sim::OpenDevice& dev, int request, void* arg);

}  // namespace sol::simulated
