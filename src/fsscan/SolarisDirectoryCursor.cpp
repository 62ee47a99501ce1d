#include "fsscan/SolarisDirectoryCursor.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "fsscan/ErrnoKeeper.h"

namespace {

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

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

DirectoryStream::~DirectoryStream() {
    if (dir_ != nullptr) sol::closedir(dir_);
}

sol::DIR* DirectoryStream::release(int* fd) {
    *fd = fd_;
    sol::DIR* dir = dir_;
    dir_ = nullptr;
    fd_ = -1;
    return dir;
}

SolarisDirectoryCursor::SolarisDirectoryCursor() : path(nullptr), directory(nullptr) {}

SolarisDirectoryCursor::~SolarisDirectoryCursor() {
    ErrnoKeeper keep;
    std::free(path);
    closeChild();
    closeDirectory();
}

void SolarisDirectoryCursor::closeDirectory() {
    delete directory;
    directory = nullptr;
    if (listing != nullptr) prefetcher->release(listing);
    listing = nullptr;
    entryName = nullptr;
}

int SolarisDirectoryCursor::initialize(const char* newPath) { return open(newPath, -1, false); }

bool SolarisDirectoryCursor::setPath(const char* newPath) {
    size_t length = std::strlen(newPath);
    std::free(path);
    path = static_cast<char*>(std::malloc(length + 1));
    if (path == nullptr) return false;
    std::memcpy(path, newPath, length + 1);
    pathLength = length;
    return true;
}

int SolarisDirectoryCursor::open(const char* newPath, int fd, bool knownDirectory) {
    if (std::strlen(newPath) >= PATH_BUFFER_SIZE) {
        if (fd >= 0) ::close(fd);
        return ENAMETOOLONG;
    }
    // A cursor is initialised once; a second call starts it afresh.
    closeChild();
    forgetEntry();
    closeDirectory();
    if (!setPath(newPath)) {
        if (fd >= 0) ::close(fd);
        return ENOMEM;
    }

    directory = fd >= 0 ? DirectoryStream::adopt(fd) : DirectoryStream::open(path);
    if (directory != nullptr) {
        errno = 0;
        DirectoryStream::Entry* entry = directory->read();
        entryName = entry == nullptr ? nullptr : entry->d_name;
        if (entry != nullptr) {
            // The directory's own status, read after its first entry (reading a directory
            // may refresh its access time).
            struct stat64 own;
            int result = knownDirectory ? ::fstat64(directory->fd(), &own) : ::lstat64(path, &own);
            if (result != 0) {
                if (errno != EIO) {
                    std::printf("Error in constructor  \n");
                    return errno;
                }
                closeDirectory();
            } else {
                status = entryFacts(own);
            }
        }
    }
    errno = 0;
    return 0;
}

int SolarisDirectoryCursor::openListing(const char* newPath, Listing* child) {
    if (!setPath(newPath)) {
        prefetcher->release(child);
        return ENOMEM;
    }
    listing = child;
    index = 0;
    if (child->streamFailed || (child->hasFirst && child->statusError == EIO)) {
        closeDirectory();  // read as empty
    } else if (child->hasFirst) {
        if (child->statusError != 0) {
            std::printf("Error in constructor  \n");
            return child->statusError;
        }
        status = child->status;
        entryName = child->entries.empty() ? nullptr : &child->names[child->entries[0].name];
    }
    errno = 0;
    return 0;
}

bool SolarisDirectoryCursor::prefetchWith(DirectoryPrefetcher* with) {
    if (directory == nullptr || listing != nullptr || entryName == nullptr || entryStatusState != EntryStatus::Unread ||
        childFd >= 0) {
        return false;
    }
    // The listing keeps a descriptor of its own for the entries below; the stream's goes with it.
    int fd = duplicateDescriptor(directory->fd());
    if (fd < 0) {
        errno = 0;
        return false;
    }
    int streamFd;
    sol::DIR* stream = directory->release(&streamFd);
    bool slashSlash = pathLength == 2 && std::strcmp(path, "//") == 0;
    Listing* root;
    try {
        root = with->adoptRoot(fd, pathLength, entryName, 0, 0, status, stream, slashSlash);
    } catch (...) {
        sol::closedir(stream);
        throw;
    }
    sol::closedir(stream);
    delete directory;
    directory = nullptr;
    prefetcher = with;
    listing = root;
    index = 0;
    entryName = root->entries.empty() ? nullptr : &root->names[root->entries[0].name];
    errno = 0;
    return true;
}

bool SolarisDirectoryCursor::entryPathFits() const {
    return pathLength + 1 + std::strlen(entryName) < PATH_BUFFER_SIZE;
}

bool SolarisDirectoryCursor::buildPath(char* out) const {
    if (!entryPathFits()) {
        errno = ENAMETOOLONG;
        return false;
    }
    size_t nameLength = std::strlen(entryName);
    std::memcpy(out, path, pathLength);
    out[pathLength] = '/';
    std::memcpy(out + pathLength + 1, entryName, nameLength + 1);
    return true;
}

bool SolarisDirectoryCursor::readEntryStatus() {
    if (entryStatusState == EntryStatus::Unread) {
        struct stat64 s;
        if (!entryPathFits()) {
            entryError = ENAMETOOLONG;
            entryStatusState = EntryStatus::Failed;
        } else if (listing != nullptr) {
            const Listing::Entry& e = listing->entries[index];
            entryError = e.statError;
            entryStatus = e.facts;
            entryStatusState = e.statError == 0 ? EntryStatus::Read : EntryStatus::Failed;
        } else if (::fstatat64(directory->fd(), entryName, &s, AT_SYMLINK_NOFOLLOW) == 0) {
            entryStatus = entryFacts(s);
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
    childOpened = false;
}

bool SolarisDirectoryCursor::Next() {
    closeChild();
    forgetEntry();
    int error = 0;
    if (listing != nullptr) {
        if (index < listing->entries.size()) ++index;
        if (index < listing->entries.size()) {
            entryName = &listing->names[listing->entries[index].name];
            return true;
        }
        entryName = nullptr;
        error = listing->readError;
        if (error == 0) return false;
    } else {
        if (directory == nullptr) return false;
        errno = 0;
        DirectoryStream::Entry* entry = directory->read();
        entryName = entry == nullptr ? nullptr : entry->d_name;
        if (entry != nullptr) return true;
        if (errno == 0) return false;
        error = errno;
    }
    std::printf("throwing %d from Next for %s\n", error, path);
    errno = error;
    throw error;
}

char* SolarisDirectoryCursor::GetName() { return entryName; }

char* SolarisDirectoryCursor::GetPath() { return path; }

bool SolarisDirectoryCursor::IsLink() {
    if (entryName == nullptr) return true;
    const char* name = entryName;
    if (isDotOrDotDot(name)) {
        errno = 0;
        return true;
    }
    // Below the root "//" the entries xfn and dev (built paths "///xfn", "///dev") are skipped.
    if (pathLength == 2 && std::strcmp(path, "//") == 0 && (std::strcmp(name, "xfn") == 0 || std::strcmp(name, "dev") == 0)) {
        errno = 0;
        return true;
    }
    if (!readEntryStatus() || S_ISLNK(entryStatus.mode)) {
        if (errno == EOVERFLOW || errno == EIO || errno == EOPNOTSUPP) errno = 0;
        return true;
    }
    errno = 0;
    return false;
}

bool SolarisDirectoryCursor::IsDirectory() {
    if (entryName == nullptr) return false;
    closeChild();
    // Anything known to be neither a directory nor a link would fail to open with ENOTDIR.
    if (entryStatusState == EntryStatus::Read && !S_ISDIR(entryStatus.mode) && !S_ISLNK(entryStatus.mode)) {
        errno = 0;
        return false;
    }
    if (!entryPathFits()) {
        errno = ENAMETOOLONG;
        return false;
    }
    if (listing != nullptr) {
        Listing* child = listing->entries[index].child;
        if (child == nullptr) {  // not a directory by its status, or not read ahead
            errno = ENOTDIR;
        } else {
            prefetcher->await(child);
            errno = child->openError;
        }
        if (errno != 0) {
            if (errno == ENOTDIR || errno == EOPNOTSUPP) errno = 0;
            return false;
        }
        childOpened = true;
        return true;
    }
    int fd = ::openat(directory->fd(), entryName, DIRECTORY_OPEN_FLAGS);
    if (fd < 0) {
        if (errno == ENOTDIR || errno == EOPNOTSUPP) errno = 0;
        return false;
    }
    childFd = fd;  // kept for GetChildren
    errno = 0;
    return true;
}

double SolarisDirectoryCursor::GetSize() {
    if (entryName != nullptr) {
        if (readEntryStatus()) {
            status = entryStatus;
        } else if (errno != EOVERFLOW && errno != ENOTDIR) {
            return 0.0;
        }
    }
    errno = 0;
    int64_t size = status.size;
    int32_t high = static_cast<int32_t>(size >> 32);
    uint32_t low = static_cast<uint32_t>(size & 0xFFFFFFFF);
    return high * 4294967296.0 + low;
}

long SolarisDirectoryCursor::GetFileAccessTime() { return status.atime; }

long SolarisDirectoryCursor::GetFileCreateTime() { return status.ctime; }

long SolarisDirectoryCursor::GetFileModifiedTime() { return status.mtime; }

DirectoryCursor* SolarisDirectoryCursor::GetChildren() {
    if (entryName == nullptr) return nullptr;
    char childPath[PATH_BUFFER_SIZE];
    if (!buildPath(childPath)) {
        closeChild();
        return nullptr;
    }
    if (listing != nullptr) {
        Listing* child = childOpened ? listing->entries[index].child : nullptr;
        childOpened = false;
        if (child == nullptr) return nullptr;
        auto* cursor = new SolarisDirectoryCursor;
        listing->entries[index].child = nullptr;  // the child cursor owns it from here
        cursor->prefetcher = prefetcher;
        if (cursor->openListing(childPath, child) != 0) {
            delete cursor;
            return nullptr;
        }
        return cursor;
    }
    int fd = childFd;
    childFd = -1;
    bool knownDirectory = fd >= 0 && entryStatusState == EntryStatus::Read && S_ISDIR(entryStatus.mode);
    auto* child = new SolarisDirectoryCursor;
    if (child->open(childPath, fd, knownDirectory) != 0) {
        delete child;
        return nullptr;
    }
    return child;
}
