// The directory iterator of the scan: one cursor per open directory, standing on one entry at
// a time. Errors follow the platform's C convention: operations set or clear errno and the
// walk reads it afterwards; only Next throws (the error number, as an int).
#pragma once

class DirectoryCursor {
public:
    virtual ~DirectoryCursor() {}
    // True when the current entry is a directory that can be opened.
    virtual bool IsDirectory() = 0;
    // Opens `path`; 0, or an error number when the cursor cannot be used.
    virtual int initialize(const char* path) = 0;
    // True when the current entry must be skipped: none, ".", "..", excluded, unreadable status
    // or a symbolic link.
    virtual bool IsLink() = 0;
    virtual char* GetName() = 0;
    // Size in bytes of the current entry.
    virtual double GetSize() = 0;
    // Times (seconds) of the cursor's last status read.
    virtual long GetFileAccessTime() = 0;
    virtual long GetFileCreateTime() = 0;
    virtual long GetFileModifiedTime() = 0;
    virtual char* GetPath() = 0;
    // A cursor on the current entry's contents, owned by the caller, or null.
    virtual DirectoryCursor* GetChildren() = 0;
    // Moves to the next entry; false at the end. A failed read throws the error number.
    virtual bool Next() = 0;
};
