// Files, directories and devices: the simulated host serves its own paths and descriptors,
// everything else goes to the native backend.
#include <cerrno>

#include "Dispatch.h"
#include "FilesBackends.h"
#include "sol/dirent.h"
#include "sol/fcntl.h"
#include "sol/ioctl.h"
#include "sol/stat.h"
#include "sol/statvfs.h"
#include "sol/stdio.h"
#include "sol/unistd.h"

namespace sol {

FILE* fopen(const char* path, const char* mode) { return SOL_DISPATCH(fopen, path, mode); }
int fclose(FILE* fp) { return std::fclose(fp); }
int statvfs64(const char* path, statvfs64_t* buf) { return SOL_DISPATCH(statvfs64, path, buf); }
int stat(const char* path, struct stat* buf) { return SOL_DISPATCH(stat, path, buf); }
int lstat(const char* path, struct stat* buf) { return SOL_DISPATCH(lstat, path, buf); }
DIR* opendir(const char* path) { return SOL_DISPATCH(opendir, path); }
DIR* fdopendir(int fd) { return native::fdopendir(fd); }
void startWriteback(int fd) { native::startWriteback(fd); }
int open(const char* path, int oflag) { return SOL_DISPATCH(open, path, oflag); }
ssize_t readlink(const char* path, char* buf, size_t bufsiz) { return SOL_DISPATCH(readlink, path, buf, bufsiz); }
int chdir(const char* path) { return SOL_DISPATCH(chdir, path); }

// A descriptor belongs to the backend that opened it.
int fstat(int fd, struct stat* buf) {
    return simulated::ownsDescriptor(fd) ? simulated::fstat(fd, buf) : native::fstat(fd, buf);
}
int close(int fd) { return simulated::ownsDescriptor(fd) ? simulated::close(fd) : native::close(fd); }
int ioctl(int fd, int request, void* arg) {
    return simulated::ownsDescriptor(fd) ? simulated::ioctl(fd, request, arg) : native::ioctl(fd, request, arg);
}

dirent* readdir(DIR* dirp) {
    if (dirp == nullptr) {
        errno = EBADF;
        return nullptr;
    }
    return dirp->next();
}

int closedir(DIR* dirp) {
    if (dirp == nullptr) {
        errno = EBADF;
        return -1;
    }
    delete dirp;
    return 0;
}

}  // namespace sol
