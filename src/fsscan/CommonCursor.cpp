#include "fsscan/CommonCursor.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

EntryFacts entryFacts(const struct stat64& s) {
    EntryFacts facts;
    facts.mode = s.st_mode;
    facts.size = s.st_size;
    facts.atime = s.st_atim.tv_sec;
    facts.ctime = s.st_ctim.tv_sec;
    facts.mtime = s.st_mtim.tv_sec;
    return facts;
}

bool isSlashSlash(const char* path, size_t length) { return length == 2 && std::strcmp(path, "//") == 0; }

bool excludedBelowSlashSlash(const char* name) { return std::strcmp(name, "xfn") == 0 || std::strcmp(name, "dev") == 0; }

void printOwnStatusError() { std::printf("Error in constructor  \n"); }

void throwReadError(int error, const char* path) {
    std::printf("throwing %d from Next for %s\n", error, path);
    errno = error;
    throw error;
}

CommonCursor::~CommonCursor() { std::free(path_); }

int CommonCursor::setPath(const char* newPath) {
    size_t length = std::strlen(newPath);
    if (length >= PATH_BUFFER_SIZE) return ENAMETOOLONG;
    std::free(path_);
    name_ = nullptr;
    pathLength_ = 0;
    path_ = static_cast<char*>(std::malloc(length + 1));
    if (path_ == nullptr) return ENOMEM;
    std::memcpy(path_, newPath, length + 1);
    pathLength_ = length;
    return 0;
}

bool CommonCursor::entryPathFits() const { return pathLength_ + 1 + std::strlen(name_) < PATH_BUFFER_SIZE; }

bool CommonCursor::entryPath(char* out) const {
    if (!entryPathFits()) {
        errno = ENAMETOOLONG;
        return false;
    }
    size_t nameLength = std::strlen(name_);
    std::memcpy(out, path_, pathLength_);
    out[pathLength_] = '/';
    std::memcpy(out + pathLength_ + 1, name_, nameLength + 1);
    return true;
}

bool CommonCursor::entryStatus() {
    if (entryState_ == EntryState::Unread) {
        int error = entryPathFits() ? readEntryStatus(entry_) : ENAMETOOLONG;
        entryError_ = error;  // set after the read, which may have moved the cursor onto this same entry
        entryState_ = error == 0 ? EntryState::Known : EntryState::Failed;
    }
    if (entryState_ == EntryState::Failed) {
        errno = entryError_;
        return false;
    }
    return true;
}

bool CommonCursor::IsLink() {
    if (name_ == nullptr) return true;
    if (isDotOrDotDot(name_) || (isSlashSlash() && excludedBelowSlashSlash(name_))) {
        errno = 0;
        return true;
    }
    if (!entryStatus() || S_ISLNK(entry_.mode)) {
        if (errno == EOVERFLOW || errno == EIO || errno == EOPNOTSUPP) errno = 0;
        return true;
    }
    errno = 0;
    return false;
}

bool CommonCursor::worthOpening() const {
    if (name_ == nullptr) return false;
    // Anything known to be neither a directory nor a link would fail to open with ENOTDIR.
    if (entryState_ == EntryState::Known && !S_ISDIR(entry_.mode) && !S_ISLNK(entry_.mode)) {
        errno = 0;
        return false;
    }
    if (!entryPathFits()) {
        errno = ENAMETOOLONG;
        return false;
    }
    return true;
}

bool CommonCursor::openFailed() {
    if (errno == ENOTDIR || errno == EOPNOTSUPP) errno = 0;
    return false;
}

double CommonCursor::GetSize() {
    if (name_ != nullptr) {
        if (entryStatus()) {
            status = entry_;
        } else if (errno != EOVERFLOW && errno != ENOTDIR) {
            return 0.0;
        }
    }
    errno = 0;
    // The high 32 bits times 2^32 plus the low 32 bits unsigned: exact below 2^53.
    int32_t high = static_cast<int32_t>(status.size >> 32);
    uint32_t low = static_cast<uint32_t>(status.size & 0xFFFFFFFF);
    return high * 4294967296.0 + low;
}
