// The live directory cursor: its directory opened and read entry by entry (opendir/readdir).
// Each entry's status is read once, relative to the open directory (fstatat, not following a
// link), and answers the link, directory and size questions; a subdirectory is opened once, by
// IsDirectory, and that descriptor becomes its child cursor's stream.
#pragma once
#include <memory>

#include "fsscan/CommonCursor.h"
#include "fsscan/DirectoryStream.h"

class SolarisDirectoryCursor : public CommonCursor {
public:
    SolarisDirectoryCursor() = default;
    ~SolarisDirectoryCursor() override;

    int initialize(const char* path) override;
    bool IsDirectory() override;
    DirectoryCursor* GetChildren() override;
    bool Next() override;

private:
    // Opens the cursor on `path`, with `fd` (already open on it, or -1) as its stream.
    int open(const char* path, int fd, bool knownDirectory);
    int readEntryStatus(EntryFacts& facts) override;
    void closeChild();

    std::unique_ptr<DirectoryStream> directory;
    int childFd = -1;  // the current entry opened as a directory by IsDirectory
};
