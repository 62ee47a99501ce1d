// A directory opened for a cursor and read entry by entry through the platform's directory
// stream. Opening reads the first entry and then the directory's own status (reading a
// directory may refresh its access time), as a cursor's initialize does.
#pragma once
#include <memory>

#include "fsscan/CommonCursor.h"
#include "sol/dirent.h"

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

private:
    DirectoryStream(int fd, sol::DIR* dir) : fd_(fd), dir_(dir) {}
    int fd_;
    sol::DIR* dir_;
};

// What opening a cursor's directory found.
struct OpenedDirectory {
    std::unique_ptr<DirectoryStream> stream;  // null: nothing to list
    DirectoryStream::Entry* first = nullptr;  // the first entry, valid until the next read; null: none
    int firstError = 0;                       // the first read's error when it gave no entry
    EntryFacts status;                        // the directory's own status, when there is a first entry
};

// Opens `path`, or adopts `fd` already open on it (`knownDirectory`: the entry `fd` was opened
// from is a directory, not a link, so the descriptor's status is the path's). A directory that
// cannot be opened, or whose own status read fails with EIO, has nothing to list. Returns 0, or
// the own status read's other errors (printed as a cursor does), which end the cursor's initialize.
int openDirectory(const char* path, int fd, bool knownDirectory, OpenedDirectory& out);
