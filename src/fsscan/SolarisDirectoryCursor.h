// DirectoryCursor over a real directory. Each entry's status is read once, relative to the
// open directory (fstatat), and answers the link, directory and size questions; a
// subdirectory is opened once and that descriptor becomes its child cursor's stream. A cursor
// may instead replay a listing read ahead by the scan's prefetcher: the same answers, from the
// same calls made on another thread.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>

#include "fsscan/DirectoryCursor.h"
#include "fsscan/ScanPipeline.h"
#include "sol/dirent.h"

#ifndef O_DIRECTORY
#define O_DIRECTORY 0  // older Solaris releases: the stream set-up rejects non-directories
#endif

// The flags opendir uses: a directory that cannot block and is not inherited.
constexpr int DIRECTORY_OPEN_FLAGS = O_RDONLY | O_NONBLOCK | O_DIRECTORY | O_CLOEXEC;

// An open directory read entry by entry through the platform's directory stream.
class DirectoryStream {
public:
    using Entry = sol::dirent;
    // Takes `fd` (an open directory); null with errno set (and `fd` closed) on failure.
    static DirectoryStream* adopt(int fd);
    static DirectoryStream* open(const char* path);
    ~DirectoryStream();
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;

    int fd() const { return fd_; }
    // The next entry; null at the end (errno untouched) or on error (errno set).
    Entry* read() { return sol::readdir(dir_); }
    // Hands the stream and its descriptor over (to a prefetcher listing); the object is then empty.
    sol::DIR* release(int* fd);

private:
    DirectoryStream(int fd, sol::DIR* dir) : fd_(fd), dir_(dir) {}
    int fd_;
    sol::DIR* dir_;
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

    // Hands the rest of this freshly opened cursor's directory to `prefetcher` (which outlives
    // the cursor and every cursor below it): it is read now, and the directories below are
    // read ahead of the walk. False, with nothing changed, when the cursor has already moved.
    bool prefetchWith(DirectoryPrefetcher* prefetcher);

private:
    enum class EntryStatus { Unread, Read, Failed };

    // Opens the cursor on `path`, using `fd` (already open on it, or -1) as its stream.
    // `knownDirectory` says the entry that `fd` was opened from is a directory, not a link, so
    // the descriptor's own status is the path's status.
    int open(const char* path, int fd, bool knownDirectory);
    // The same from a listing read ahead (owned from here).
    int openListing(const char* path, Listing* listing);
    bool setPath(const char* newPath);
    // The current entry's full path into `out` (PATH_BUFFER_SIZE bytes); false with errno
    // ENAMETOOLONG when it does not fit.
    bool buildPath(char* out) const;
    bool entryPathFits() const;
    // Reads the current entry's status once (lstat semantics); false with errno set.
    bool readEntryStatus();
    void forgetEntry();
    void closeChild();
    void closeDirectory();

    char* path;
    DirectoryStream* directory;
    char* entryName = nullptr;  // the current entry's name; null when there is none
    EntryFacts status;

    size_t pathLength = 0;
    EntryStatus entryStatusState = EntryStatus::Unread;
    int entryError = 0;
    EntryFacts entryStatus;
    int childFd = -1;  // the current entry opened as a directory by IsDirectory

    // Replaying a listing read ahead.
    DirectoryPrefetcher* prefetcher = nullptr;
    Listing* listing = nullptr;
    size_t index = 0;
    bool childOpened = false;  // the current entry's listing was opened by IsDirectory
};
