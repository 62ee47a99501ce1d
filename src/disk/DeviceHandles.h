// Scope holders of the disk providers' operating-system handles.
#pragma once
#include "sol/dirent.h"
#include "sol/unistd.h"

namespace disk {

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

// An open directory stream, closed when the holder goes.
class Directory {
public:
    explicit Directory(sol::DIR* dir) : dir_(dir) {}
    ~Directory() {
        if (dir_ != nullptr) sol::closedir(dir_);
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    sol::DIR* get() const { return dir_; }

private:
    sol::DIR* dir_;
};

}  // namespace disk
