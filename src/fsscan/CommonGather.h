// The walk: every file and directory below a cursor gets a sequential number in visiting
// order and one text record, directories after their contents with the totals of their
// subtree. The walk knows only the DirectoryCursor of each level and the RecordSink the
// records go to; how directories are read and records written is set up by the caller
// (ScanPipeline). It reads the stop request after every entry, and an error ends it at the
// entry where it occurs: a failed directory read, size read or put is thrown as the error
// number (an int, also in errno), a database failure as the database's exception.
#pragma once
#include <cstddef>
#include <memory>

#include "fsscan/ScanRecord.h"

class Db;
class DirectoryCursor;
class RecordSink;
class ScanContext;

class CommonGather {
public:
    static constexpr int RECORD_BUFFER_SIZE = static_cast<int>(RECORD_SIZE);

    // `context` (null: a walk that is never stopped) outlives the object.
    explicit CommonGather(ScanContext* context = nullptr);
    virtual ~CommonGather();

    // Walks the tree below `root` (owned, deleted here), every record into `sink`, then waits
    // until the sink has written them. A put that failed behind the walk ends it with that
    // put's error, which comes before any error the walk met after it.
    CalculatedValues WalkTree(DirectoryCursor* root, RecordSink& sink);

    // One level of the walk, records into the sink WalkTree was given (the cursor is owned and
    // deleted here, on every way out).
    CalculatedValues GetDirectoryInfo(DirectoryCursor* cursor, int depth, int parent);

    // The file record into `out` (RECORD_BUFFER_SIZE bytes); returns the text's length.
    size_t getFileString(char* out, DirectoryCursor* cursor, double size, int depth, int parent, int number);
    // The directory record: flag 1, then the file and directory counts of `totals`.
    size_t getDirectoryString(char* out, DirectoryCursor* cursor, double size, int depth, int parent, int number,
                              CalculatedValues totals);

protected:
    // True when the walk must end early: a stop request, or a put that failed behind the walk.
    bool stopped();

    int recordCounter = 0;  // last record number handed out
    std::unique_ptr<Db> database;
    ScanContext* context;
    RecordSink* sink = nullptr;  // while WalkTree runs
};
