// What every directory cursor of the scan answers alike, whether it reads its directory itself
// (SolarisDirectoryCursor) or replays a listing read ahead (ReadAheadCursor):
//   - paths: a cursor's path and an entry's built path ("<path>/<name>") are shorter than
//     PATH_BUFFER_SIZE bytes; a longer one is an unreadable status (ENAMETOOLONG);
//   - names skipped without a status read: "." and "..", and xfn and dev below the root "//";
//   - the facts kept of a status read (EntryFacts), and the errno each answer leaves;
//   - the two texts a cursor prints on standard output (kept as they are: agents' logs hold them).
// CommonCursor holds the cursor's path, the entry it stands on and the last status read, and
// answers IsLink, GetSize, the names and the times from them; each cursor opens, moves and
// reads an entry's status (readEntryStatus) by its own means.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>

#include "fsscan/DirectoryCursor.h"

// Longest path, terminator included, that a cursor or an entry path may have.
constexpr size_t PATH_BUFFER_SIZE = 1024;

#ifdef O_DIRECTORY
constexpr int DIRECTORY_ONLY = O_DIRECTORY;
#else
constexpr int DIRECTORY_ONLY = 0;  // older Solaris releases: the stream set-up rejects non-directories
#endif
// How a scan opens a directory: one that cannot block and is not inherited.
constexpr int DIRECTORY_OPEN_FLAGS = O_RDONLY | O_NONBLOCK | DIRECTORY_ONLY | O_CLOEXEC;

// The status fields the walk reads.
struct EntryFacts {
    unsigned mode = 0;
    int64_t size = 0;
    long atime = 0;
    long ctime = 0;
    long mtime = 0;
};

EntryFacts entryFacts(const struct stat64& status);

inline bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Below the root "//" the entries xfn and dev (built paths "///xfn", "///dev") are not scanned;
// below "/" they are scanned like any other.
bool isSlashSlash(const char* path, size_t length);
bool excludedBelowSlashSlash(const char* name);

// "Error in constructor  \n": a cursor's directory whose own status cannot be read.
void printOwnStatusError();
// "throwing <error> from Next for <path>\n", then the error number thrown as an int (and in errno).
[[noreturn]] void throwReadError(int error, const char* path);

class CommonCursor : public DirectoryCursor {
public:
    ~CommonCursor() override;

    // True (skip) for no entry, a skipped name, an unreadable status or a symbolic link; errno
    // cleared but for a status error other than EOVERFLOW, EIO and EOPNOTSUPP.
    bool IsLink() override;
    char* GetName() override { return name_; }
    // The entry's size (its status then the cursor's), or 0.0 with the status error in errno
    // (EOVERFLOW and ENOTDIR excepted).
    double GetSize() override;
    long GetFileAccessTime() override { return status.atime; }
    long GetFileCreateTime() override { return status.ctime; }
    long GetFileModifiedTime() override { return status.mtime; }
    char* GetPath() override { return path_; }

protected:
    CommonCursor() = default;
    CommonCursor(const CommonCursor&) = delete;
    CommonCursor& operator=(const CommonCursor&) = delete;

    // The current entry's status (lstat semantics) into `facts`: 0, or the error number.
    virtual int readEntryStatus(EntryFacts& facts) = 0;

    // Takes a copy of `path`: 0; ENAMETOOLONG, with nothing changed, when it does not fit; ENOMEM.
    int setPath(const char* path);
    size_t pathLength() const { return pathLength_; }
    bool isSlashSlash() const { return ::isSlashSlash(path_, pathLength_); }
    // Stands on the entry `name` (null: none), its status not yet read.
    void standOn(char* name) {
        name_ = name;
        entryState_ = EntryState::Unread;
    }
    bool entryPathFits() const;
    // The entry's path into `out` (PATH_BUFFER_SIZE bytes); false with errno ENAMETOOLONG when it does not fit.
    bool entryPath(char* out) const;
    // The entry's status, read once; false with errno set when it cannot be read.
    bool entryStatus();
    // The entry's status was read and shows a directory.
    bool knownDirectory() const { return entryState_ == EntryState::Known && S_ISDIR(entry_.mode); }
    // IsDirectory before the cursor opens the entry: false when there is no entry, when its
    // status (if read) shows neither a directory nor a link (errno cleared), or when its path
    // does not fit (ENAMETOOLONG); else true, and the cursor opens it.
    bool worthOpening() const;
    // IsDirectory after an open that failed with errno: false, errno kept but for ENOTDIR and
    // EOPNOTSUPP, which are cleared.
    static bool openFailed();

    // The cursor's last status read: its directory's own, then each entry sized. The times the
    // records carry come from here.
    EntryFacts status;

private:
    enum class EntryState { Unread, Known, Failed };

    char* path_ = nullptr;
    size_t pathLength_ = 0;
    char* name_ = nullptr;
    EntryState entryState_ = EntryState::Unread;
    int entryError_ = 0;
    EntryFacts entry_;
};
