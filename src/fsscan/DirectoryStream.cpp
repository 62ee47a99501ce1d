#include "fsscan/DirectoryStream.h"

#include <unistd.h>

#include <cerrno>
#include <new>

#include "fsscan/ErrnoKeeper.h"

DirectoryStream* DirectoryStream::open(const char* path) {
    int fd = ::open(path, DIRECTORY_OPEN_FLAGS);
    return fd < 0 ? nullptr : adopt(fd);
}

DirectoryStream* DirectoryStream::adopt(int fd) {
    sol::DIR* dir = sol::fdopendir(fd);
    if (dir == nullptr) {
        ErrnoKeeper keep;
        ::close(fd);
        return nullptr;
    }
    auto* stream = new (std::nothrow) DirectoryStream(fd, dir);
    if (stream == nullptr) {
        sol::closedir(dir);
        errno = ENOMEM;
    }
    return stream;
}

DirectoryStream::~DirectoryStream() { sol::closedir(dir_); }

int openDirectory(const char* path, int fd, bool knownDirectory, OpenedDirectory& out) {
    out = OpenedDirectory();
    out.stream.reset(fd >= 0 ? DirectoryStream::adopt(fd) : DirectoryStream::open(path));
    if (out.stream) {
        errno = 0;
        out.first = out.stream->read();
        out.firstError = out.first == nullptr ? errno : 0;
        if (out.first != nullptr) {
            struct stat64 own;
            int result = knownDirectory ? ::fstat64(out.stream->fd(), &own) : ::lstat64(path, &own);
            if (result != 0) {
                int error = errno;
                if (error != EIO) {
                    printOwnStatusError();
                    return error;
                }
                out = OpenedDirectory();
            } else {
                out.status = entryFacts(own);
            }
        }
    }
    errno = 0;
    return 0;
}
