// The walk: every file and directory below a cursor gets a sequential number and one text
// record in the scan's Berkeley DB B-tree, directories after their contents with the totals
// of their subtree.
#pragma once
#include <cstddef>
#include <memory>

class Db;
class DirectoryCursor;
class DirectoryPrefetcher;
class RecordWriterThread;
class ScanContext;

// Totals of one directory level.
struct CalculatedValues {
    double size = 0;         // bytes of all files in the subtree
    int directoryCount = 0;  // directories counted
    int fileCount = 0;       // files counted
};

class CommonGather {
public:
    // Size of the record buffers; a record never comes near it (a name is at most 255 bytes).
    static constexpr int RECORD_BUFFER_SIZE = 1024;

    // `context` (null: a walk that is never stopped) outlives the object.
    explicit CommonGather(ScanContext* context = nullptr);
    virtual ~CommonGather();

    // Walks the cursor's directory (the cursor is owned and deleted here, on every way out).
    // Throws DbException for database failures and the error number, as an int, for a failed
    // directory read, size read or put; errno then holds the error. With more than one scan
    // thread the directories are read ahead and the records written on threads of their own;
    // the records, totals and errors are the same.
    CalculatedValues GetDirectoryInfo(DirectoryCursor* cursor, int depth, int parent);

    // "name<>size<>atime<>ctime<>mtime<>0<>depth<>parent<>number<>-1<>0<>*" into `out`
    // (RECORD_BUFFER_SIZE bytes); returns the text's length.
    size_t getFileString(char* out, DirectoryCursor* cursor, double size, int depth, int parent, int number);
    // The same for a directory: flag 1, then the file and directory counts of `totals`.
    size_t getDirectoryString(char* out, DirectoryCursor* cursor, double size, int depth, int parent, int number,
                            CalculatedValues totals);

protected:
    // One level of the walk, on the calling thread.
    CalculatedValues walkLevel(DirectoryCursor* cursor, int depth, int parent);
    // True when the walk must end early: a stop request, or a put that failed behind the walk.
    bool stopped();
    // Writes one record (key: the number in decimal, no terminators) without overwriting.
    void putRecord(int number, const char* record, size_t length);

    int recordCounter = 0;  // last record number handed out
    std::unique_ptr<Db> database;
    ScanContext* context;
    RecordWriterThread* writer = nullptr;  // while a walk writes behind itself
    bool walking = false;                  // a walk is under way: nested calls are levels of it
};

class SolarisGather : public CommonGather {
public:
    using CommonGather::CommonGather;
    // Creates the scan database `file` afresh (an old file of that name is removed first).
    virtual bool CreateDB(const char* file);
};

// The message for an error number (at most 48 bytes with its terminator) into `out`.
void getErrorMessage(int error, char* out);
