// The file, directory and device calls, as each backend provides them.
#pragma once
#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "sol/dirent.h"
#include "sol/stat.h"
#include "sol/statvfs.h"

namespace sol {

// A directory stream of any backend.
struct DIR {
    virtual ~DIR() = default;
    virtual dirent* next() = 0;  // NULL at the end
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
