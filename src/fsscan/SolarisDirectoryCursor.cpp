#include "fsscan/SolarisDirectoryCursor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>

#ifndef O_DIRECTORY
#define O_DIRECTORY 0  // older Solaris releases: the stream set-up rejects non-directories
#endif

namespace {

// The flags opendir uses: a directory that cannot block and is not inherited.
constexpr int DIRECTORY_OPEN_FLAGS = O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC;

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Keeps errno across cleanup that must not disturb the walk's error.
struct ErrnoKeeper {
    int saved = errno;
    ~ErrnoKeeper() { errno = saved; }
};

}  // namespace

DirectoryStream* DirectoryStream::open(const char* path) {
    int fd = ::open(path, DIRECTORY_OPEN_FLAGS);
    return fd < 0 ? nullptr : adopt(fd);
}

#ifdef __linux__

DirectoryStream* DirectoryStream::adopt(int fd) {
    auto* stream = new DirectoryStream(fd);
    stream->buffer_ = new char[BUFFER_SIZE];
    return stream;
}

DirectoryStream::~DirectoryStream() {
    delete[] buffer_;
    ::close(fd_);
}

DirectoryStream::Entry* DirectoryStream::read() {
    if (position_ >= filled_) {
        ssize_t got = ::getdents64(fd_, buffer_, BUFFER_SIZE);
        if (got <= 0) return nullptr;
        position_ = 0;
        filled_ = static_cast<size_t>(got);
    }
    auto* e = reinterpret_cast<Entry*>(buffer_ + position_);
    position_ += e->d_reclen;
    return e;
}

#else

DirectoryStream* DirectoryStream::adopt(int fd) {
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        int error = errno;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    auto* stream = new DirectoryStream(fd);
    stream->dir_ = dir;
    return stream;
}

DirectoryStream::~DirectoryStream() { ::closedir(dir_); }

DirectoryStream::Entry* DirectoryStream::read() { return ::readdir(dir_); }

#endif

SolarisDirectoryCursor::SolarisDirectoryCursor() : path(nullptr), directory(nullptr), entry(nullptr), status{} {}

SolarisDirectoryCursor::~SolarisDirectoryCursor() {
    ErrnoKeeper keep;
    std::free(path);
    closeChild();
    delete directory;
    directory = nullptr;
    entry = nullptr;
}

int SolarisDirectoryCursor::initialize(const char* newPath) { return open(newPath, -1, false); }

int SolarisDirectoryCursor::open(const char* newPath, int fd, bool knownDirectory) {
    size_t length = std::strlen(newPath);
    if (length >= PATH_BUFFER_SIZE) {
        if (fd >= 0) ::close(fd);
        return ENAMETOOLONG;
    }
    // A cursor is initialised once; a second call starts it afresh.
    std::free(path);
    closeChild();
    forgetEntry();
    delete directory;
    directory = nullptr;
    entry = nullptr;

    path = static_cast<char*>(std::malloc(length + 1));
    if (path == nullptr) {
        if (fd >= 0) ::close(fd);
        return ENOMEM;
    }
    std::memcpy(path, newPath, length + 1);
    pathLength = length;

    directory = fd >= 0 ? DirectoryStream::adopt(fd) : DirectoryStream::open(path);
    if (directory != nullptr) {
        errno = 0;
        entry = directory->read();
        if (entry != nullptr) {
            // The directory's own status, read after its first entry (reading a directory
            // may refresh its access time).
            int result = knownDirectory ? ::fstat64(directory->fd(), &status) : ::lstat64(path, &status);
            if (result != 0) {
                if (errno != EIO) {
                    std::printf("Error in constructor  \n");
                    return errno;
                }
                delete directory;
                directory = nullptr;
                entry = nullptr;
            }
        }
    }
    errno = 0;
    return 0;
}

bool SolarisDirectoryCursor::entryPathFits() const {
    return pathLength + 1 + std::strlen(entry->d_name) < PATH_BUFFER_SIZE;
}

bool SolarisDirectoryCursor::buildPath(char* out) const {
    if (!entryPathFits()) {
        errno = ENAMETOOLONG;
        return false;
    }
    size_t nameLength = std::strlen(entry->d_name);
    std::memcpy(out, path, pathLength);
    out[pathLength] = '/';
    std::memcpy(out + pathLength + 1, entry->d_name, nameLength + 1);
    return true;
}

bool SolarisDirectoryCursor::readEntryStatus() {
    if (entryStatusState == EntryStatus::Unread) {
        if (!entryPathFits()) {
            entryError = ENAMETOOLONG;
            entryStatusState = EntryStatus::Failed;
        } else if (::fstatat64(directory->fd(), entry->d_name, &entryStatus, AT_SYMLINK_NOFOLLOW) == 0) {
            entryStatusState = EntryStatus::Read;
        } else {
            entryError = errno;
            entryStatusState = EntryStatus::Failed;
        }
    }
    if (entryStatusState == EntryStatus::Failed) {
        errno = entryError;
        return false;
    }
    return true;
}

void SolarisDirectoryCursor::forgetEntry() {
    entryStatusState = EntryStatus::Unread;
    entryError = 0;
}

void SolarisDirectoryCursor::closeChild() {
    if (childFd >= 0) ::close(childFd);
    childFd = -1;
}

bool SolarisDirectoryCursor::Next() {
    if (directory == nullptr) return false;
    closeChild();
    forgetEntry();
    errno = 0;
    entry = directory->read();
    if (entry != nullptr) return true;
    if (errno == 0) return false;
    int error = errno;
    std::printf("throwing %d from Next for %s\n", error, path);
    throw error;
}

char* SolarisDirectoryCursor::GetName() { return entry == nullptr ? nullptr : entry->d_name; }

char* SolarisDirectoryCursor::GetPath() { return path; }

bool SolarisDirectoryCursor::IsLink() {
    if (entry == nullptr) return true;
    const char* name = entry->d_name;
    if (isDotOrDotDot(name)) {
        errno = 0;
        return true;
    }
    // Below the root "//" the entries xfn and dev (built paths "///xfn", "///dev") are skipped.
    if (pathLength == 2 && std::strcmp(path, "//") == 0 && (std::strcmp(name, "xfn") == 0 || std::strcmp(name, "dev") == 0)) {
        errno = 0;
        return true;
    }
    if (!readEntryStatus() || S_ISLNK(entryStatus.st_mode)) {
        if (errno == EOVERFLOW || errno == EIO || errno == EOPNOTSUPP) errno = 0;
        return true;
    }
    errno = 0;
    return false;
}

bool SolarisDirectoryCursor::IsDirectory() {
    if (entry == nullptr) return false;
    closeChild();
    // Anything known to be neither a directory nor a link would fail to open with ENOTDIR.
    if (entryStatusState == EntryStatus::Read && !S_ISDIR(entryStatus.st_mode) && !S_ISLNK(entryStatus.st_mode)) {
        errno = 0;
        return false;
    }
    if (!entryPathFits()) {
        errno = ENAMETOOLONG;
        return false;
    }
    int fd = ::openat(directory->fd(), entry->d_name, DIRECTORY_OPEN_FLAGS);
    if (fd < 0) {
        if (errno == ENOTDIR || errno == EOPNOTSUPP) errno = 0;
        return false;
    }
    childFd = fd;  // kept for GetChildren
    errno = 0;
    return true;
}

double SolarisDirectoryCursor::GetSize() {
    if (entry != nullptr) {
        if (readEntryStatus()) {
            status = entryStatus;
        } else if (errno != EOVERFLOW && errno != ENOTDIR) {
            return 0.0;
        }
    }
    errno = 0;
    int64_t size = status.st_size;
    int32_t high = static_cast<int32_t>(size >> 32);
    uint32_t low = static_cast<uint32_t>(size & 0xFFFFFFFF);
    return high * 4294967296.0 + low;
}

long SolarisDirectoryCursor::GetFileAccessTime() { return status.st_atim.tv_sec; }

long SolarisDirectoryCursor::GetFileCreateTime() { return status.st_ctim.tv_sec; }

long SolarisDirectoryCursor::GetFileModifiedTime() { return status.st_mtim.tv_sec; }

DirectoryCursor* SolarisDirectoryCursor::GetChildren() {
    if (entry == nullptr) return nullptr;
    char childPath[PATH_BUFFER_SIZE];
    if (!buildPath(childPath)) {
        closeChild();
        return nullptr;
    }
    int fd = childFd;
    childFd = -1;
    bool knownDirectory = fd >= 0 && entryStatusState == EntryStatus::Read && S_ISDIR(entryStatus.st_mode);
    auto* child = new SolarisDirectoryCursor;
    if (child->open(childPath, fd, knownDirectory) != 0) {
        delete child;
        return nullptr;
    }
    return child;
}
