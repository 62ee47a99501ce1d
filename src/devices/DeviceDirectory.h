// The device namespace: the "/dev/dsk" and "/dev/rdsk" directories, walked through one
// enumerator, and the descriptors of the devices their entries name.
#pragma once
#include <cstring>
#include <optional>
#include <string>

#include "sol/dirent.h"
#include "sol/unistd.h"

namespace devices {

// The block and raw disk device directories.
inline const char* const kBlockDeviceDirectory = "/dev/dsk";
inline const char* const kRawDeviceDirectory = "/dev/rdsk";

// An open device descriptor, closed when the holder goes.
class Device {
public:
    explicit Device(int fd = -1) : fd_(fd) {}
    ~Device() { reset(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0) sol::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// The entries of one device directory in directory order ("." and ".." included), the stream
// closed on every way out. A directory that cannot be opened has no entries.
class DeviceDirectory {
public:
    explicit DeviceDirectory(const char* directory) : directory_(directory), dir_(sol::opendir(directory)) {}
    ~DeviceDirectory() {
        if (dir_ != nullptr) sol::closedir(dir_);
    }
    DeviceDirectory(const DeviceDirectory&) = delete;
    DeviceDirectory& operator=(const DeviceDirectory&) = delete;

    // The next entry, or null at the end. Its name is terminated within its field.
    const sol::dirent* next() { return dir_ == nullptr ? nullptr : sol::readdir(dir_); }

    // The full path of the entry `name`; the process's current directory is never used.
    std::string path(const std::string& name) const { return std::string(directory_) + "/" + name; }

private:
    const char* directory_;
    sol::DIR* dir_;
};

// The name of a directory entry, read within its field.
inline std::string entryName(const sol::dirent& entry) {
    return std::string(entry.d_name, strnlen(entry.d_name, sizeof entry.d_name));
}

// The target of the link at `path`, or none when it cannot be read. At most `limit` bytes.
std::optional<std::string> readLinkTarget(const std::string& path, size_t limit = 1024);

}  // namespace devices
