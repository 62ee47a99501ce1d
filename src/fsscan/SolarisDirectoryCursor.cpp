#include "fsscan/SolarisDirectoryCursor.h"

#include <unistd.h>

#include <cerrno>

#include "fsscan/ErrnoKeeper.h"

SolarisDirectoryCursor::~SolarisDirectoryCursor() {
    ErrnoKeeper keep;
    closeChild();
    directory.reset();
}

int SolarisDirectoryCursor::initialize(const char* path) { return open(path, -1, false); }

int SolarisDirectoryCursor::open(const char* path, int fd, bool knownDirectory) {
    // A cursor is initialised once; a second call starts it afresh.
    int error = setPath(path);
    if (error != ENAMETOOLONG) {  // a path too long changes nothing
        closeChild();
        directory.reset();
    }
    if (error != 0) {
        if (fd >= 0) ::close(fd);
        return error;
    }
    OpenedDirectory opened;
    error = openDirectory(GetPath(), fd, knownDirectory, opened);
    directory = std::move(opened.stream);
    standOn(opened.first == nullptr ? nullptr : opened.first->d_name);
    status = opened.status;
    return error;
}

int SolarisDirectoryCursor::readEntryStatus(EntryFacts& facts) {
    struct stat64 s;
    if (::fstatat64(directory->fd(), GetName(), &s, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    facts = entryFacts(s);
    return 0;
}

void SolarisDirectoryCursor::closeChild() {
    if (childFd >= 0) ::close(childFd);
    childFd = -1;
}

bool SolarisDirectoryCursor::Next() {
    closeChild();
    if (!directory) return false;
    errno = 0;
    DirectoryStream::Entry* entry = directory->read();
    standOn(entry == nullptr ? nullptr : entry->d_name);
    if (entry != nullptr) return true;
    if (errno == 0) return false;
    throwReadError(errno, GetPath());
}

bool SolarisDirectoryCursor::IsDirectory() {
    closeChild();
    if (!worthOpening()) return false;
    int fd = ::openat(directory->fd(), GetName(), DIRECTORY_OPEN_FLAGS);
    if (fd < 0) return openFailed();
    childFd = fd;  // kept for GetChildren
    errno = 0;
    return true;
}

DirectoryCursor* SolarisDirectoryCursor::GetChildren() {
    if (GetName() == nullptr) return nullptr;
    char childPath[PATH_BUFFER_SIZE];
    if (!entryPath(childPath)) {
        closeChild();
        return nullptr;
    }
    auto* child = new SolarisDirectoryCursor;  // before the descriptor changes hands
    int fd = childFd;
    childFd = -1;
    if (child->open(childPath, fd, fd >= 0 && knownDirectory()) != 0) {
        delete child;
        return nullptr;
    }
    return child;
}
