// DirectoryCursor over a real directory. Each entry's status is read once, relative to the
// open directory (fstatat), and answers the link, directory and size questions; a
// subdirectory is opened once and that descriptor becomes its child cursor's stream.
#pragma once
#include <dirent.h>
#include <sys/stat.h>

#include "fsscan/DirectoryCursor.h"

// An open directory read entry by entry: on Linux straight from getdents64 into a buffer of
// its own (no stream set-up calls), elsewhere through a DIR stream.
class DirectoryStream {
public:
#ifdef __linux__
    using Entry = struct dirent64;
#else
    using Entry = struct dirent;
#endif
    // Takes `fd` (an open directory); null with errno set (and `fd` closed) on failure.
    static DirectoryStream* adopt(int fd);
    static DirectoryStream* open(const char* path);
    ~DirectoryStream();
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;

    int fd() const { return fd_; }
    // The next entry; null at the end (errno untouched) or on error (errno set).
    Entry* read();

private:
    explicit DirectoryStream(int fd) : fd_(fd) {}
    int fd_;
#ifdef __linux__
    static constexpr size_t BUFFER_SIZE = 32768;
    char* buffer_ = nullptr;
    size_t position_ = 0;
    size_t filled_ = 0;
#else
    DIR* dir_ = nullptr;
#endif
};

class SolarisDirectoryCursor : public DirectoryCursor {
public:
    // Longest path, terminator included, that a cursor or an entry path may have.
    static constexpr int PATH_BUFFER_SIZE = 1024;

    SolarisDirectoryCursor();
    ~SolarisDirectoryCursor() override;
    SolarisDirectoryCursor(const SolarisDirectoryCursor&) = delete;
    SolarisDirectoryCursor& operator=(const SolarisDirectoryCursor&) = delete;

    bool IsDirectory() override;
    int initialize(const char* path) override;
    bool IsLink() override;
    char* GetName() override;
    double GetSize() override;
    long GetFileAccessTime() override;
    long GetFileCreateTime() override;
    long GetFileModifiedTime() override;
    char* GetPath() override;
    DirectoryCursor* GetChildren() override;
    bool Next() override;

private:
    enum class EntryStatus { Unread, Read, Failed };

    // Opens the cursor on `path`, using `fd` (already open on it, or -1) as its stream.
    // `knownDirectory` says the entry that `fd` was opened from is a directory, not a link, so
    // the descriptor's own status is the path's status.
    int open(const char* path, int fd, bool knownDirectory);
    // The current entry's full path into `out` (PATH_BUFFER_SIZE bytes); false with errno
    // ENAMETOOLONG when it does not fit.
    bool buildPath(char* out) const;
    bool entryPathFits() const;
    // Reads the current entry's status once (lstat semantics); false with errno set.
    bool readEntryStatus();
    void forgetEntry();
    void closeChild();

    char* path;
    DirectoryStream* directory;
    DirectoryStream::Entry* entry;
    struct stat64 status;

    size_t pathLength = 0;
    EntryStatus entryStatusState = EntryStatus::Unread;
    int entryError = 0;
    struct stat64 entryStatus;
    int childFd = -1;  // the current entry opened as a directory by IsDirectory
};
