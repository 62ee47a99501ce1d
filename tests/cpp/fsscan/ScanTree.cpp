#include "ScanTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <db_cxx.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "TestSupport.h"
#include "fsscan/DirectoryCursor.h"
#include "fsscan/RecordSink.h"

namespace scantest {

void makeDirectory(const std::string& path, mode_t mode) {
    if (::mkdir(path.c_str(), mode) != 0 || ::chmod(path.c_str(), mode) != 0) throw std::runtime_error("mkdir " + path);
}

void makeFile(const std::string& path, const std::string& content) { testsupport::writeFile(path, content); }

void makeLink(const std::string& target, const std::string& path) {
    if (::symlink(target.c_str(), path.c_str()) != 0) throw std::runtime_error("symlink " + path);
}

void setTimes(const std::string& path, long atime, long mtime) {
    struct timespec times[2] = {{atime, 0}, {mtime, 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) throw std::runtime_error("utimensat");
}

std::map<std::string, std::string> readDatabase(const std::string& file) {
    std::map<std::string, std::string> records;
    Db db(nullptr, 0);
    db.open(nullptr, file.c_str(), nullptr, DB_BTREE, DB_RDONLY, 0);
    Dbc* cursor;
    db.cursor(nullptr, &cursor, 0);
    Dbt key, value;
    while (cursor->get(&key, &value, DB_NEXT) == 0) {
        records[std::string(static_cast<char*>(key.get_data()), key.get_size())] =
            std::string(static_cast<char*>(value.get_data()), value.get_size());
    }
    cursor->close();
    db.close(0);
    return records;
}

namespace {

struct Totals {
    long long size = 0;
    int files = 0;
    int directories = 0;
};

std::string record(const std::string& name, long long size, const struct stat& times, int flag, int depth, int parent,
                   int number, int files, int directories) {
    return name + "<>" + std::to_string(size) + "<>" + std::to_string(times.st_atim.tv_sec) + "<>" +
           std::to_string(times.st_ctim.tv_sec) + "<>" + std::to_string(times.st_mtim.tv_sec) + "<>" +
           std::to_string(flag) + "<>" + std::to_string(depth) + "<>" + std::to_string(parent) + "<>" +
           std::to_string(number) + "<>" + std::to_string(files) + "<>" + std::to_string(directories) + "<>*";
}

Totals expectLevel(const std::string& path, int depth, int parent, int& counter, std::map<std::string, std::string>& out) {
    Totals totals;
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return totals;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    struct stat last;
    if (::lstat(path.c_str(), &last) != 0) throw std::runtime_error("lstat " + path);
    for (const std::string& name : names) {
        std::string entry = path + "/" + name;
        struct stat st;
        if (::lstat(entry.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) continue;
        if (S_ISDIR(st.st_mode)) {
            DIR* probe = ::opendir(entry.c_str());
            if (probe == nullptr) continue;  // cannot be opened: neither counted nor recorded
            ::closedir(probe);
            totals.directories += 1;
            int number = ++counter;
            Totals below = expectLevel(entry, depth + 1, number, counter, out);
            totals.size += below.size;
            totals.files += below.files;
            totals.directories += below.directories;
            out[std::to_string(number)] =
                record(name, below.size, last, 1, depth, parent, number, totals.files, totals.directories);
        } else {
            last = st;
            totals.size += st.st_size;
            int number = ++counter;
            totals.files += 1;
            out[std::to_string(number)] = record(name, st.st_size, st, 0, depth, parent, number, -1, 0);
        }
    }
    return totals;
}

}  // namespace

std::map<std::string, std::string> expectedRecords(const std::string& root) {
    std::map<std::string, std::string> out;
    int counter = 0;
    expectLevel(root, 0, 0, counter, out);
    return out;
}

CalculatedValues Walker::walk(const std::string& root, const std::string& dbFile) {
    if (!CreateDB(dbFile.c_str())) throw std::runtime_error("CreateDB " + dbFile);
    ScanPipeline pipeline(scanThreads());
    std::unique_ptr<DirectoryCursor> cursor(pipeline.newRootCursor());
    if (cursor->initialize(root.c_str()) != 0) throw std::runtime_error("initialize " + root);
    CalculatedValues totals = walkCursor(pipeline, cursor.release());
    closeDatabase();
    return totals;
}

CalculatedValues Walker::walkCursor(ScanPipeline& pipeline, DirectoryCursor* cursor) {
    recordCounter = 0;
    std::unique_ptr<RecordSink> sink = pipeline.newSink(*database);
    return WalkTree(cursor, *sink);
}

void Walker::closeDatabase() {
    database->close(0);
    database.reset();
}

}  // namespace scantest
