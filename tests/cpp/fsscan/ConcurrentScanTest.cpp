// Scans on several threads at once, each in its own context: every scan writes its own
// complete database, and the shared log holds whole entries only.
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "ScanTree.h"
#include "TestSupport.h"
#include "fsscan/XGather.h"

using namespace scantest;
using testsupport::TempDir;

namespace {

// `directories` directories of `files` files each, and a nested level in every third one.
void buildTree(const std::string& root, int directories, int files) {
    makeDirectory(root);
    for (int d = 0; d < directories; ++d) {
        std::string dir = root + "/d" + std::to_string(d);
        makeDirectory(dir);
        if (d % 3 == 0) makeDirectory(dir + "/inner");
        for (int f = 0; f < files; ++f) makeFile(dir + "/f" + std::to_string(f), std::string(f % 7, 'x'));
    }
}

std::string hostName() {
    char name[256] = "";
    ::gethostname(name, sizeof name - 1);
    return name;
}

// The database file a scan of `root` writes into `directory`.
std::string databaseOf(const std::string& directory, std::string root) {
    for (char& c : root) {
        if (c == '/') c = '_';
    }
    return directory + "/" + root + "_" + hostName() + ".db";
}

}  // namespace

TEST(ConcurrentScans, EachScanWritesItsOwnDatabaseAndLogEntriesStayWhole) {
    TempDir tmp;
    std::string dbDirectory = tmp.file("db");
    makeDirectory(dbDirectory);
    const std::vector<std::string> roots = {tmp.file("first"), tmp.file("second")};
    buildTree(roots[0], 20, 40);
    buildTree(roots[1], 35, 15);
    std::vector<std::map<std::string, std::string>> expected;
    for (const std::string& root : roots) expected.push_back(expectedRecords(root));
    ASSERT_NE(expected[0].size(), expected[1].size());

    const int rounds = 4;
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::thread> threads;
        for (size_t i = 0; i < roots.size(); ++i) {
            threads.emplace_back([&, i] {
                ScanContext context(nullptr, nullptr);
                ASSERT_TRUE(context.SetDBPath(dbDirectory.c_str()));
                XGather gather(context);
                gather.ScanDrives(roots[i].c_str(), static_cast<int>(i));
            });
        }
        for (auto& thread : threads) thread.join();
        for (size_t i = 0; i < roots.size(); ++i) {
            EXPECT_EQ(expected[i], readDatabase(databaseOf(dbDirectory, roots[i]))) << "round " << round;
        }
    }

    // Every entry is "\n[time]\tDEBUG\tAbout to scan.  Disk list : <root>\n", whole.
    std::string log = testsupport::readFile(dbDirectory + "/XGather.log");
    int entries[2] = {0, 0};
    size_t at = 0;
    while (at < log.size()) {
        ASSERT_EQ(0u, log.compare(at, 2, "\n[")) << log;
        size_t next = log.find("\n[", at + 1);
        std::string entry = log.substr(at, next == std::string::npos ? std::string::npos : next - at);
        size_t text = entry.find("]\tDEBUG\t");
        ASSERT_NE(std::string::npos, text) << entry;
        std::string body = entry.substr(text + 8);
        for (size_t i = 0; i < roots.size(); ++i) {
            if (body == "About to scan.  Disk list : " + roots[i] + "\n") ++entries[i];
        }
        at = next == std::string::npos ? log.size() : next;
    }
    EXPECT_EQ(rounds, entries[0]) << log;
    EXPECT_EQ(rounds, entries[1]) << log;
}

TEST(ScanContextPaths, DatabaseDirectoryGetsItsSlashAndTheLogFile) {
    TempDir tmp;
    ScanContext context(nullptr, nullptr);
    EXPECT_FALSE(context.ResolveDBPath());  // no Java side and no directory given
    EXPECT_FALSE(context.IsStopScan());
    ASSERT_TRUE(context.SetDBPath(tmp.path().c_str()));
    EXPECT_TRUE(context.ResolveDBPath());
    EXPECT_EQ(tmp.path() + "/", context.GetDBPath());
    EXPECT_EQ(tmp.path() + "/XGather.log", context.GetLogPath());
    ASSERT_TRUE(context.SetDBPath((tmp.path() + "/").c_str()));
    EXPECT_EQ(tmp.path() + "/", context.GetDBPath());
    EXPECT_FALSE(context.SetDBPath(tmp.file("missing").c_str()));
    EXPECT_STREQ("", context.GetDBPath());
    EXPECT_STREQ("", context.GetLogPath());
}
