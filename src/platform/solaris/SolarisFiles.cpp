// The real Solaris file, directory and device calls, passed through unchanged.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "FilesBackends.h"

namespace sol::native {

namespace {

class RealDir : public DIR {
public:
    explicit RealDir(::DIR* dir) : dir_(dir) {}
    ~RealDir() override { ::closedir(dir_); }
    dirent* next() override { return reinterpret_cast<dirent*>(::readdir(dir_)); }

private:
    ::DIR* dir_;
};

}  // namespace

FILE* fopen(const char* path, const char* mode) { return ::fopen(path, mode); }
int statvfs64(const char* path, statvfs64_t* buf) { return ::statvfs64(path, reinterpret_cast<::statvfs64_t*>(buf)); }
int stat(const char* path, struct sol::stat* buf) { return ::stat(path, reinterpret_cast<struct ::stat*>(buf)); }
int lstat(const char* path, struct sol::stat* buf) { return ::lstat(path, reinterpret_cast<struct ::stat*>(buf)); }
int fstat(int fd, struct sol::stat* buf) { return ::fstat(fd, reinterpret_cast<struct ::stat*>(buf)); }
DIR* opendir(const char* path) {
    ::DIR* dir = ::opendir(path);
    return dir == nullptr ? nullptr : new RealDir(dir);
}
int open(const char* path, int oflag) { return ::open(path, oflag); }
int close(int fd) { return ::close(fd); }
ssize_t readlink(const char* path, char* buf, size_t bufsiz) { return ::readlink(path, buf, bufsiz); }
int chdir(const char* path) { return ::chdir(path); }
int ioctl(int fd, int request, void* arg) { return ::ioctl(fd, request, arg); }

}  // namespace sol::native
