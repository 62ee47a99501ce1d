// The file, directory and device calls, as each backend provides them.
#pragma once
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "sol/dirent.h"
#include "sol/stat.h"
#include "sol/statvfs.h"

namespace sol {

// A directory stream of any backend.
struct DIR {
    virtual ~DIR() = default;
    virtual dirent* next() = 0;  // NULL at the end
};

// A stream over a list of names made by the layer (the device directories of both backends).
class NameListDir : public DIR {
public:
    explicit NameListDir(std::vector<std::string> names) : names_(std::move(names)) {}
    dirent* next() override {
        if (index_ >= names_.size()) return nullptr;
        std::memset(&entry_, 0, sizeof entry_);
        entry_.d_ino = index_ + 2;
        entry_.d_off = static_cast<int64_t>(index_ + 1);
        size_t n = std::min(names_[index_].size(), sizeof entry_.d_name - 1);
        std::memcpy(entry_.d_name, names_[index_].data(), n);
        entry_.d_reclen = static_cast<unsigned short>(18 + std::strlen(entry_.d_name) + 1);
        ++index_;
        return &entry_;
    }

private:
    std::vector<std::string> names_;
    size_t index_ = 0;
    dirent entry_;
};

// The system's stream `system` (null: it could not be opened, errno set) in the backend's
// wrapper `Stream`; when no wrapper can be made, the system's stream is closed and errno is
// ENOMEM.
template <class Stream, class SystemDir>
DIR* wrapSystemStream(SystemDir* system, int (*closeSystem)(SystemDir*)) {
    if (system == nullptr) return nullptr;
    DIR* stream = new (std::nothrow) Stream(system);
    if (stream == nullptr) {
        closeSystem(system);
        errno = ENOMEM;
    }
    return stream;
}

#define SOL_FILE_BACKEND_FUNCTIONS                                \
    FILE* fopen(const char* path, const char* mode);              \
    int statvfs64(const char* path, statvfs64_t* buf);            \
    int stat(const char* path, struct stat* buf);                 \
    int lstat(const char* path, struct stat* buf);                \
    int fstat(int fd, struct stat* buf);                          \
    DIR* opendir(const char* path);                               \
    int open(const char* path, int oflag);                        \
    int close(int fd);                                            \
    ssize_t readlink(const char* path, char* buf, size_t bufsiz); \
    int chdir(const char* path);                                  \
    int ioctl(int fd, int request, void* arg);

namespace simulated {
SOL_FILE_BACKEND_FUNCTIONS
bool ownsDescriptor(int fd);  // true for descriptors of simulated devices
}  // namespace simulated
namespace native {
SOL_FILE_BACKEND_FUNCTIONS
DIR* fdopendir(int fd);  // only real directories are read from a descriptor
void startWriteback(int fd);  // only real files are written through the database
}  // namespace native

#undef SOL_FILE_BACKEND_FUNCTIONS

}  // namespace sol
