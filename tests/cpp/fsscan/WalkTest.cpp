#include <sys/stat.h>
#include <unistd.h>

#include <db_cxx.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ScanTree.h"
#include "TestSupport.h"
#include "fsscan/DirectoryCursor.h"

using namespace scantest;
using testsupport::TempDir;

namespace {

// Scan root and database directory side by side in one temporary directory.
struct Scan {
    TempDir tmp;
    std::string root = tmp.file("root");
    std::string db = tmp.file("scan.db");
    Scan() { makeDirectory(root); }
};

// Records the names the walk formats, in the order it writes them.
class RecordingCursor : public DirectoryCursor {
public:
    RecordingCursor(DirectoryCursor* inner, std::vector<std::string>& names) : inner_(inner), names_(names) {}
    ~RecordingCursor() override { delete inner_; }
    bool IsDirectory() override { return inner_->IsDirectory(); }
    int initialize(const char* path) override { return inner_->initialize(path); }
    bool IsLink() override { return inner_->IsLink(); }
    char* GetName() override {
        names_.push_back(inner_->GetName());
        return inner_->GetName();
    }
    double GetSize() override { return inner_->GetSize(); }
    long GetFileAccessTime() override { return inner_->GetFileAccessTime(); }
    long GetFileCreateTime() override { return inner_->GetFileCreateTime(); }
    long GetFileModifiedTime() override { return inner_->GetFileModifiedTime(); }
    char* GetPath() override { return inner_->GetPath(); }
    DirectoryCursor* GetChildren() override {
        DirectoryCursor* child = inner_->GetChildren();
        return child == nullptr ? nullptr : new RecordingCursor(child, names_);
    }
    bool Next() override { return inner_->Next(); }

private:
    DirectoryCursor* inner_;
    std::vector<std::string>& names_;
};

}  // namespace

TEST(Walk, EmptyRootAndSingleFile) {
    Scan scan;
    Walker walker;
    CalculatedValues totals = walker.walk(scan.root, scan.db);
    EXPECT_EQ(0, totals.size);
    EXPECT_EQ(0, totals.fileCount);
    EXPECT_EQ(0, totals.directoryCount);
    EXPECT_TRUE(readDatabase(scan.db).empty());

    makeFile(scan.root + "/f", "0123456789");
    setTimes(scan.root + "/f", 1000, 1002);
    struct stat st;
    ::lstat((scan.root + "/f").c_str(), &st);
    totals = walker.walk(scan.root, scan.db);  // the old file is replaced
    EXPECT_EQ(10, totals.size);
    EXPECT_EQ(1, totals.fileCount);
    auto records = readDatabase(scan.db);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("f<>10<>1000<>" + std::to_string(st.st_ctim.tv_sec) + "<>1002<>0<>0<>0<>1<>-1<>0<>*", records["1"]);
}

TEST(Walk, DirectoryNumberedBeforeAndWrittenAfterItsContents) {
    Scan scan;
    makeDirectory(scan.root + "/d");
    makeFile(scan.root + "/d/file", "12345");
    std::vector<std::string> written;
    Walker walker;
    ASSERT_TRUE(walker.CreateDB(scan.db.c_str()));
    ScanPipeline pipeline(scanThreads());
    DirectoryCursor* cursor = pipeline.newRootCursor();
    ASSERT_EQ(0, cursor->initialize(scan.root.c_str()));
    walker.walkCursor(pipeline, new RecordingCursor(cursor, written));
    walker.closeDatabase();
    EXPECT_EQ((std::vector<std::string>{"file", "d"}), written);

    Walker again;
    again.walk(scan.root, scan.db);
    auto records = readDatabase(scan.db);
    ASSERT_EQ(2u, records.size());
    EXPECT_NE(std::string::npos, records["2"].find("file<>5<>"));
    EXPECT_NE(std::string::npos, records["2"].find("<>0<>1<>1<>2<>-1<>0<>*"));
    EXPECT_EQ(0u, records["1"].find("d<>5<>"));
    EXPECT_NE(std::string::npos, records["1"].find("<>1<>0<>0<>1<>1<>1<>*"));
    EXPECT_EQ(expectedRecords(scan.root), records);
}

TEST(Walk, SiblingDirectoriesCarryTheRunningTotals) {
    Scan scan;
    makeDirectory(scan.root + "/a");
    makeDirectory(scan.root + "/b");
    makeFile(scan.root + "/a/x", "xx");
    makeFile(scan.root + "/b/y", "yyy");
    makeDirectory(scan.root + "/b/inner");
    Walker walker;
    CalculatedValues totals = walker.walk(scan.root, scan.db);
    EXPECT_EQ(5, totals.size);
    EXPECT_EQ(2, totals.fileCount);
    EXPECT_EQ(3, totals.directoryCount);
    auto records = readDatabase(scan.db);
    EXPECT_EQ(expectedRecords(scan.root), records);
    // Whichever directory the listing gives second ends with the totals of both subtrees.
    int second = 0;
    for (auto& [key, value] : records) {
        if (value.rfind("a<>", 0) == 0 || value.rfind("b<>", 0) == 0) second = std::max(second, std::stoi(key));
    }
    const std::string& last = records[std::to_string(second)];
    EXPECT_EQ("<>2<>3<>*", last.substr(last.size() - 9));
}

TEST(Walk, VariedTreeMatchesTheFileSystemRecordForRecord) {
    Scan scan;
    const std::string r = scan.root;
    makeDirectory(r + "/empty");
    makeDirectory(r + "/a");
    makeDirectory(r + "/a/b");
    makeDirectory(r + "/a/b/c");
    makeFile(r + "/a/b/c/deep", std::string(3000, 'd'));
    makeFile(r + "/a/one", "1");
    makeFile(r + "/a/b/two", "22");
    makeDirectory(r + "/a/sub-only");
    makeDirectory(r + "/a/sub-only/inner");
    makeFile(r + "/top", std::string(100, 't'));
    makeFile(r + "/big", "");
    ASSERT_EQ(0, ::truncate((r + "/big").c_str(), 6LL * 1024 * 1024 * 1024 + 1));
    makeLink("a", r + "/link-to-dir");
    makeLink("top", r + "/link-to-file");
    makeLink("nowhere", r + "/a/dangling");
    makeFile(r + "/a/unreadable-file", "secret");
    ::chmod((r + "/a/unreadable-file").c_str(), 0);
    ::mkfifo((r + "/fifo").c_str(), 0644);
    setTimes(r + "/a/one", 1500000000, 1500000100);

    Walker walker;
    CalculatedValues totals = walker.walk(r, scan.db);
    auto records = readDatabase(scan.db);
    EXPECT_EQ(expectedRecords(r), records);
    EXPECT_EQ(13u, records.size());
    EXPECT_EQ(7, totals.fileCount);  // the fifo counts as a file of size 0
    EXPECT_EQ(6, totals.directoryCount);
    EXPECT_EQ(6.0 * 1024 * 1024 * 1024 + 1 + 3000 + 1 + 2 + 100 + 6, totals.size);
}

TEST(Walk, EntriesRemovedDuringTheWalkAreLeftOut) {
    Scan scan;
    makeFile(scan.root + "/stays", "s");
    makeFile(scan.root + "/goes", "g");
    makeDirectory(scan.root + "/dir-goes");
    ScanPipeline pipeline(scanThreads());
    DirectoryCursor* cursor = pipeline.newRootCursor();
    ASSERT_EQ(0, cursor->initialize(scan.root.c_str()));  // the listing is read here
    ASSERT_EQ(0, ::unlink((scan.root + "/goes").c_str()));
    ASSERT_EQ(0, ::rmdir((scan.root + "/dir-goes").c_str()));
    Walker walker;
    ASSERT_TRUE(walker.CreateDB(scan.db.c_str()));
    CalculatedValues totals = walker.walkCursor(pipeline, cursor);
    EXPECT_EQ(1, totals.fileCount);
    EXPECT_EQ(0, totals.directoryCount);
    walker.closeDatabase();
    Walker reader;
    reader.walk(scan.root, scan.db);
    EXPECT_EQ(expectedRecords(scan.root), readDatabase(scan.db));
}

// Directories a scan cannot open are neither counted nor recorded; one it can list but not
// search is recorded without its entries. Root reads everything, so this part of the walk runs
// with the effective identity of nobody.
TEST(Walk, UnreadableDirectories) {
    Scan scan;
    ::chmod(scan.tmp.path().c_str(), 0777);
    makeDirectory(scan.root + "/closed", 0755);
    makeFile(scan.root + "/closed/hidden", "h");
    ::chmod((scan.root + "/closed").c_str(), 0311);  // search but no read
    makeDirectory(scan.root + "/listonly", 0755);
    makeFile(scan.root + "/listonly/unseen", "u");
    ::chmod((scan.root + "/listonly").c_str(), 0744);  // read but no search for others
    makeFile(scan.root + "/visible", "v");

    bool asNobody = ::geteuid() == 0;
    if (asNobody) {
        ASSERT_EQ(0, ::seteuid(65534));
    }
    Walker walker;
    CalculatedValues totals = walker.walk(scan.root, scan.db);
    auto expected = expectedRecords(scan.root);
    if (asNobody) {
        ASSERT_EQ(0, ::seteuid(0));
    }

    auto records = readDatabase(scan.db);
    EXPECT_EQ(expected, records);
    ASSERT_EQ(2u, records.size());  // "visible" and "listonly"
    EXPECT_EQ(1, totals.fileCount);
    EXPECT_EQ(1, totals.directoryCount);
}

TEST(Walk, PutOfAnExistingKeyEndsTheWalkWithTheDatabaseError) {
    Scan scan;
    makeFile(scan.root + "/f", "x");
    Walker walker;
    ASSERT_TRUE(walker.CreateDB(scan.db.c_str()));
    int error = 0;
    for (int pass = 0; pass < 2; ++pass) {
        ScanPipeline pipeline(scanThreads());
        DirectoryCursor* cursor = pipeline.newRootCursor();
        ASSERT_EQ(0, cursor->initialize(scan.root.c_str()));
        if (pass == 0) {
            walker.walkCursor(pipeline, cursor);
        } else {
            EXPECT_THROW(walker.walkCursor(pipeline, cursor), int);
            error = errno;
        }
    }
    walker.closeDatabase();
    EXPECT_EQ(DB_KEYEXIST, error);
    char message[48];
    getErrorMessage(error, message);
    EXPECT_STREQ("DB Error -30994 occurred", message);
}

TEST(Walk, CreateDbMakesAFreshBtreeWithTheScanSettings) {
    Scan scan;
    makeFile(scan.db, "not a database");
    Walker walker;
    EXPECT_FALSE(walker.CreateDB(scan.db.c_str()));  // an unrelated file is not destroyed
    EXPECT_EQ("not a database", testsupport::readFile(scan.db));
    ::unlink(scan.db.c_str());

    makeFile(scan.root + "/f", "x");
    walker.walk(scan.root, scan.db);
    ASSERT_EQ(1u, readDatabase(scan.db).size());
    ASSERT_TRUE(walker.CreateDB(scan.db.c_str()));  // removes the previous scan's file
    walker.closeDatabase();
    EXPECT_TRUE(readDatabase(scan.db).empty());

    Db db(nullptr, 0);
    db.open(nullptr, scan.db.c_str(), nullptr, DB_UNKNOWN, DB_RDONLY, 0);
    DBTYPE type;
    db.get_type(&type);
    u_int32_t pageSize;
    db.get_pagesize(&pageSize);
    db.close(0);
    EXPECT_EQ(DB_BTREE, type);
    EXPECT_EQ(16384u, pageSize);
    struct stat st;
    ::stat(scan.db.c_str(), &st);
    EXPECT_EQ(0664 & ~0022, st.st_mode & 0777);

    EXPECT_FALSE(walker.CreateDB((scan.tmp.path() + "/missing/dir/x.db").c_str()));
}

TEST(ErrorMessages, TableAndDatabaseRange) {
    struct Case {
        int error;
        const char* message;
    } cases[] = {
        {ENOENT, "No Such File or Directory"},
        {EMFILE, "Too many files open"},
        {ENOSPC, "A btree exceeded the maximum btree depth (255)."},
        {ENAMETOOLONG, "Path name is too long"},
        {EPERM, "Unexpected error during scan process"},
        {-30999, "DB Error -30999 occurred"},
        {-30800, "DB Error -30800 occurred"},
        {-31000, "Unexpected error during scan process"},
        {-30799, "Unexpected error during scan process"},
    };
    for (const Case& c : cases) {
        char message[48];
        getErrorMessage(c.error, message);
        EXPECT_STREQ(c.message, message) << c.error;
    }
}
