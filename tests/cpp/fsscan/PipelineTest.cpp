// The walk with directories read ahead and records written behind it gives the walk alone's
// records, totals and errors; the cases that hold for any scan run over both set-ups.
#include <unistd.h>

#include <db_cxx.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FailingAllocation.h"
#include "FakeJni.h"
#include "ScanTree.h"
#include "TestSupport.h"
#include "fsscan/DirectoryCursor.h"
#include "fsscan/ScanContext.h"
#include "fsscan/ScanPipeline.h"

using namespace scantest;
using testsupport::FailingAllocation;
using testsupport::FakeJni;
using testsupport::TempDir;
using testsupport::openDescriptors;

namespace {

// Sets HOSTPROBE_SCAN_THREADS for the scope (no scan threads run while it changes).
struct ScanThreads {
    std::string saved;
    bool had;
    explicit ScanThreads(const char* value) {
        const char* old = std::getenv("HOSTPROBE_SCAN_THREADS");
        had = old != nullptr;
        if (had) saved = old;
        ::setenv("HOSTPROBE_SCAN_THREADS", value, 1);
    }
    ~ScanThreads() {
        if (had) {
            ::setenv("HOSTPROBE_SCAN_THREADS", saved.c_str(), 1);
        } else {
            ::unsetenv("HOSTPROBE_SCAN_THREADS");
        }
    }
};

// Wide and deep at once: more directories than the read-ahead window holds, a deep chain,
// empty directories, links, and names up to the longest a directory entry takes.
void buildTree(const std::string& root) {
    makeDirectory(root);
    for (int d = 0; d < 40; ++d) {
        std::string dir = root + "/w" + std::to_string(d);
        makeDirectory(dir);
        for (int s = 0; s < 10; ++s) {
            std::string sub = dir + "/s" + std::to_string(s);
            makeDirectory(sub);
            for (int f = 0; f < (d * s) % 7; ++f) makeFile(sub + "/f" + std::to_string(f), std::string(f * 13, 'x'));
        }
        makeFile(dir + "/" + std::string(200 + d, 'n'), "long name");
        makeLink(dir + "/s0", dir + "/to-s0");
    }
    std::string chain = root;
    for (int depth = 0; depth < 30; ++depth) {
        chain += "/c" + std::to_string(depth);
        makeDirectory(chain);
        makeFile(chain + "/at" + std::to_string(depth), "c");
    }
    makeLink("/nonexistent", root + "/dangling");
}

// Directories several times a small window: read ahead in parts, their subdirectories spread
// over the parts, one of them in parts too.
void buildWideTree(const std::string& root) {
    makeDirectory(root);
    std::string wide = root + "/wide";
    makeDirectory(wide);
    for (int f = 0; f < 400; ++f) makeFile(wide + "/f" + std::to_string(f), std::string(f % 17, 'w'));
    for (int d = 0; d < 12; ++d) {
        std::string sub = wide + "/d" + std::to_string(d * 31);
        makeDirectory(sub);
        for (int f = 0; f < d; ++f) makeFile(sub + "/g" + std::to_string(f), "g");
    }
    std::string inner = wide + "/d93/inner";
    makeDirectory(inner);
    for (int f = 0; f < 150; ++f) makeFile(inner + "/i" + std::to_string(f), std::string(f % 5, 'i'));
    makeLink(wide + "/d0", wide + "/to-d0");
    makeFile(root + "/after", "after the wide directory");
}

// A tree and the read-ahead window it is walked with.
struct Shape {
    const char* name;
    void (*build)(const std::string&);
    size_t window;  // 0: the default
    std::vector<int> failingKeys;
};

struct Outcome {
    CalculatedValues totals;
    std::map<std::string, std::string> records;
    int error = 0;  // the int thrown, 0 when the walk ended normally
    int errnoAfter = 0;
};

// Walks `root` into a fresh `db`, which holds `existingKey` already when it is not 0, reading
// ahead within `window` entries (0: the default); `context` (may be null) stops it.
Outcome walkWith(const char* threads, const std::string& root, const std::string& db, int existingKey = 0,
                 size_t window = 0, ScanContext* context = nullptr) {
    ScanThreads setting(threads);
    Walker walker(context);
    Outcome out;
    EXPECT_TRUE(walker.CreateDB(db.c_str()));
    if (existingKey != 0) {
        Db raw(nullptr, 0);
        walker.closeDatabase();
        raw.open(nullptr, db.c_str(), nullptr, DB_BTREE, 0, 0);
        std::string key = std::to_string(existingKey);
        Dbt k(const_cast<char*>(key.data()), static_cast<u_int32_t>(key.size()));
        Dbt v(const_cast<char*>("taken"), 5);
        raw.put(nullptr, &k, &v, 0);
        raw.close(0);
        Db* reopened = new Db(nullptr, 0);
        reopened->open(nullptr, db.c_str(), nullptr, DB_BTREE, 0, 0);
        walker.adopt(reopened);
    }
    ScanPipeline pipeline(scanThreads(), window);
    DirectoryCursor* cursor = pipeline.newRootCursor();
    EXPECT_EQ(0, cursor->initialize(root.c_str()));
    try {
        out.totals = walker.walkCursor(pipeline, cursor);
    } catch (int e) {
        out.error = e;
        out.errnoAfter = errno;
    }
    walker.closeDatabase();
    out.records = readDatabase(db);
    return out;
}

}  // namespace

class TreeShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(TreeShapes, SameRecordsAndTotalsAsTheWalkAlone) {
    TempDir tmp;
    std::string root = tmp.file("root");
    GetParam().build(root);
    Outcome alone = walkWith("1", root, tmp.file("alone.db"));
    ASSERT_EQ(expectedRecords(root), alone.records);
    for (const char* threads : {"2", "3", "8"}) {
        Outcome piped = walkWith(threads, root, tmp.file(std::string("piped") + threads + ".db"), 0, GetParam().window);
        EXPECT_EQ(alone.records, piped.records) << threads << " threads";
        EXPECT_EQ(alone.totals.fileCount, piped.totals.fileCount);
        EXPECT_EQ(alone.totals.directoryCount, piped.totals.directoryCount);
        EXPECT_EQ(alone.totals.size, piped.totals.size);
    }
}

// A put that fails in the middle of the walk ends it with that put's error, and the records
// written before it are the walk alone's.
TEST_P(TreeShapes, FailingPutEndsTheWalkAtTheSameRecord) {
    TempDir tmp;
    std::string root = tmp.file("root");
    GetParam().build(root);
    for (int key : GetParam().failingKeys) {
        Outcome alone = walkWith("1", root, tmp.file("alone.db"), key);
        Outcome piped = walkWith("3", root, tmp.file("piped.db"), key, GetParam().window);
        EXPECT_EQ(DB_KEYEXIST, alone.error);
        EXPECT_EQ(DB_KEYEXIST, alone.errnoAfter);
        EXPECT_EQ(alone.error, piped.error) << "key " << key;
        EXPECT_EQ(alone.errnoAfter, piped.errnoAfter);
        EXPECT_EQ(alone.records, piped.records) << "key " << key;
        EXPECT_GT(alone.records.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(PipelinedWalk, TreeShapes,
                         ::testing::Values(Shape{"DeepAndWide", buildTree, 0, {1, 150, 437}},
                                           Shape{"ReadInParts", buildWideTree, 64, {5, 120, 333}}),
                         [](const ::testing::TestParamInfo<Shape>& info) { return info.param.name; });

// A stop request met inside a directory read in parts ends the walk at the same entry as the
// walk alone: the same records, nothing after them.
TEST(PipelinedWalk, StopInsideADirectoryReadInParts) {
    TempDir tmp;
    std::string root = tmp.file("root");
    buildWideTree(root);
    size_t complete = walkWith("1", root, tmp.file("complete.db")).records.size();
    for (long stopAfter : {1, 37, 250, 480}) {
        std::map<std::string, std::string> records[2];
        for (int run = 0; run < 2; ++run) {
            FakeJni jni;
            jni.falseReads["Job.stopScan"] = stopAfter;
            ScanContext context(jni.env(), jni.newObject("Job"));
            Outcome out = walkWith(run == 0 ? "1" : "3", root, tmp.file("stopped.db"), 0, 64, &context);
            EXPECT_EQ(0, out.error);
            records[run] = out.records;
        }
        EXPECT_EQ(records[0], records[1]) << "stop after " << stopAfter;
        EXPECT_LT(records[0].size(), complete);
    }
}

// A directory read ahead keeps its descriptor only while directories below it are still to be
// read: a walk holding many listings (here every child cursor is kept) holds no descriptor for
// them once nothing below is left to open, so the read-ahead is not held back by them.
TEST(PipelinedWalk, ListingsWithNothingLeftToOpenHoldNoDescriptor) {
    TempDir tmp;
    std::string root = tmp.file("root");
    makeDirectory(root);
    const size_t width = 600;  // more than the read-ahead keeps open at once
    for (size_t d = 0; d < width; ++d) {
        std::string dir = root + "/d" + std::to_string(d);
        makeDirectory(dir);
        makeFile(dir + "/f", "x");
    }
    size_t descriptors = openDescriptors();
    {
        ScanPipeline pipeline(3);
        std::unique_ptr<DirectoryCursor> cursor(pipeline.newRootCursor());
        ASSERT_EQ(0, cursor->initialize(root.c_str()));
        std::vector<std::unique_ptr<DirectoryCursor>> children;
        do {
            if (!cursor->IsDirectory()) continue;  // "." and ".."
            children.emplace_back(cursor->GetChildren());
            ASSERT_NE(nullptr, children.back());
        } while (cursor->Next());
        EXPECT_EQ(width, children.size());
        // Every directory is read, the root's too: nothing is left open.
        EXPECT_EQ(descriptors, openDescriptors());
        children.clear();
    }
    EXPECT_EQ(descriptors, openDescriptors());
}

TEST(PipelinedWalk, ThreadSettingAndDefault) {
    {
        ScanThreads one("1");
        EXPECT_EQ(1, scanThreads());
    }
    {
        ScanThreads many("1000");
        EXPECT_EQ(64, scanThreads());
        EXPECT_EQ(64, mostScanThreads());  // a count set is kept
    }
    // Unset or unusable: two per processor, at most 8.
    long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
    int byDefault = processors >= 4 ? 8 : static_cast<int>(2 * processors);
    for (const char* unusable : {"", "0", "-3", "two", "4x"}) {
        ScanThreads setting(unusable);
        EXPECT_EQ(byDefault, scanThreads()) << unusable;
        EXPECT_EQ(MOST_SCAN_THREADS, mostScanThreads()) << unusable;
    }
}

// Out of memory on any thread of the scan, at any point: the walk ends normally or with an
// error, never takes the process down or hangs, leaves no descriptor open (and, under the
// sanitizer, nothing allocated), and writes only whole records under their own numbers. (A
// directory whose stream cannot be set up reads as empty, as in the walk alone, so the
// numbers after it may differ from a complete scan's.)
// {threads, window}: the walk alone, read ahead, read ahead in parts of a few entries.
class EitherSetUp : public ::testing::TestWithParam<std::pair<int, size_t>> {};

TEST_P(EitherSetUp, FailedAllocationAnywhereEndsTheWalkCleanly) {
    TempDir tmp;
    std::string root = tmp.file("root");
    buildTree(root);
    size_t complete = walkWith("1", root, tmp.file("alone.db")).records.size();
    size_t ended = 0;
    // The walk alone allocates less: its failures are spread closer.
    const long step = GetParam().first == 1 ? 23 : 53;
    for (long failing = 0; failing < 4000; failing += step) {
        size_t descriptors = openDescriptors();
        std::string db = tmp.file("failing.db");
        {
            Walker walker;
            ASSERT_TRUE(walker.CreateDB(db.c_str()));
            try {
                FailingAllocation failure(failing, 0, FailingAllocation::Scope::AnyThread);
                ScanPipeline pipeline(GetParam().first, GetParam().second);
                std::unique_ptr<DirectoryCursor> cursor(pipeline.newRootCursor());
                int error = cursor->initialize(root.c_str());
                if (error != 0) throw error;
                walker.walkCursor(pipeline, cursor.release());
            } catch (int error) {
                EXPECT_EQ(ENOMEM, error) << "failing allocation " << failing;
                ++ended;
            } catch (const std::bad_alloc&) {
                ++ended;
            }
            walker.closeDatabase();
        }
        EXPECT_EQ(descriptors, openDescriptors()) << "failing allocation " << failing;
        std::map<std::string, std::string> records = readDatabase(db);
        EXPECT_LE(records.size(), complete);
        for (const auto& record : records) {
            // name<>size<>atime<>ctime<>mtime<>flag<>depth<>parent<>number<>files<>directories<>*
            std::vector<std::string> fields;
            for (size_t at = 0, next; at <= record.second.size(); at = next + 2) {
                next = record.second.find("<>", at);
                if (next == std::string::npos) next = record.second.size();
                fields.push_back(record.second.substr(at, next - at));
            }
            ASSERT_EQ(12u, fields.size()) << record.second;
            EXPECT_EQ("*", fields[11]) << record.second;
            EXPECT_EQ(record.first, fields[8]) << record.second;
        }
    }
    EXPECT_GT(ended, 10u);
}

INSTANTIATE_TEST_SUITE_P(LiveAndReadAhead, EitherSetUp,
                         ::testing::Values(std::make_pair(1, size_t(0)), std::make_pair(3, size_t(0)),
                                           std::make_pair(3, size_t(64))),
                         [](const ::testing::TestParamInfo<std::pair<int, size_t>>& info) {
                             return info.param.first == 1 ? "Alone" : info.param.second == 0 ? "Pipelined" : "InParts";
                         });
