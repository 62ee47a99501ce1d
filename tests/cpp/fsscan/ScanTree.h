// Helpers of the scan tests: building trees, running the walk into a database and reading
// every record back with Berkeley DB, and the expected records computed straight from the
// file system.
#pragma once
#include <sys/stat.h>

#include <db_cxx.h>

#include <map>
#include <string>
#include <vector>

#include "fsscan/ScanPipeline.h"
#include "fsscan/XGather.h"

namespace scantest {

void makeDirectory(const std::string& path, mode_t mode = 0755);
void makeFile(const std::string& path, const std::string& content);
void makeLink(const std::string& target, const std::string& path);
// Sets access and modification times (seconds).
void setTimes(const std::string& path, long atime, long mtime);

// key -> value of every record of a database file.
std::map<std::string, std::string> readDatabase(const std::string& file);

// The records a scan of `root` must give, numbered in listing order, directories after their
// contents, and the times of a directory's record taken from the last status its parent's
// level read (the parent itself, or the file sized last before it).
std::map<std::string, std::string> expectedRecords(const std::string& root);

// The walker with its counter reset, as the scan driver runs it: its cursors and record sink
// set up by a ScanPipeline for the thread count of the environment (HOSTPROBE_SCAN_THREADS).
struct Walker : SolarisGather {
    using CommonGather::recordCounter;
    Walker() = default;
    // A walk that reads the stop request of `context`.
    explicit Walker(ScanContext* context) : SolarisGather(context) {}
    // Walks `root` into a new database `dbFile`.
    CalculatedValues walk(const std::string& root, const std::string& dbFile);
    // Walks `cursor` (initialised, owned from here; made by `pipeline`, or wrapping one it made)
    // into the open database, through `pipeline`'s sink.
    CalculatedValues walkCursor(ScanPipeline& pipeline, DirectoryCursor* cursor);
    void closeDatabase();
    // Walks into `db` (opened by the caller) from here on.
    void adopt(Db* db) { database.reset(db); }
};

}  // namespace scantest
