#include <unistd.h>

#include <cerrno>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "ScanTree.h"
#include "TestSupport.h"
#include "fsscan/DirectoryCursor.h"
#include "fsscan/ScanPipeline.h"

using namespace scantest;
using testsupport::TempDir;

namespace {

// Every case runs over both cursors: the live one (a scan of one thread) and the one that
// replays listings read ahead (three threads).
class Cursor : public ::testing::TestWithParam<int> {
protected:
    ScanPipeline pipeline{GetParam()};

    std::unique_ptr<DirectoryCursor> newCursor() { return std::unique_ptr<DirectoryCursor>(pipeline.newRootCursor()); }
    std::unique_ptr<DirectoryCursor> openCursor(const std::string& path) {
        std::unique_ptr<DirectoryCursor> cursor = newCursor();
        EXPECT_EQ(0, cursor->initialize(path.c_str()));
        return cursor;
    }
};

// Moves the cursor to the entry `name`; false when the directory has none.
bool seek(DirectoryCursor& cursor, const std::string& name) {
    do {
        if (cursor.GetName() != nullptr && name == cursor.GetName()) return true;
    } while (cursor.Next());
    return false;
}

}  // namespace

TEST_P(Cursor, AnswersForFilesDirectoriesLinksAndDotEntries) {
    TempDir tmp;
    makeFile(tmp.file("f"), "0123456789");
    setTimes(tmp.file("f"), 1000, 1002);
    makeDirectory(tmp.file("d"));
    makeLink("f", tmp.file("lf"));
    makeLink("d", tmp.file("ld"));
    makeLink("missing", tmp.file("dangling"));

    std::set<std::string> scannable;
    auto cursor = openCursor(tmp.path());
    EXPECT_EQ(tmp.path(), cursor->GetPath());
    do {
        std::string name = cursor->GetName();
        errno = 0;
        bool skip = cursor->IsLink();
        EXPECT_EQ(0, errno) << name;
        if (!skip) scannable.insert(name);
    } while (cursor->Next());
    EXPECT_EQ((std::set<std::string>{"f", "d"}), scannable);
    EXPECT_EQ(nullptr, cursor->GetName());
    EXPECT_TRUE(cursor->IsLink());
    EXPECT_FALSE(cursor->IsDirectory());
    EXPECT_EQ(nullptr, cursor->GetChildren());
    EXPECT_FALSE(cursor->Next());

    cursor = openCursor(tmp.path());
    ASSERT_TRUE(seek(*cursor, "f"));
    errno = 0;
    EXPECT_FALSE(cursor->IsDirectory());
    EXPECT_EQ(0, errno);
    EXPECT_EQ(10.0, cursor->GetSize());
    EXPECT_EQ(1000, cursor->GetFileAccessTime());
    EXPECT_EQ(1002, cursor->GetFileModifiedTime());
    std::unique_ptr<DirectoryCursor> notADirectory(cursor->GetChildren());  // a cursor listing nothing
    ASSERT_NE(nullptr, notADirectory);
    EXPECT_EQ(nullptr, notADirectory->GetName());

    cursor = openCursor(tmp.path());
    ASSERT_TRUE(seek(*cursor, "d"));
    EXPECT_TRUE(cursor->IsDirectory());
    std::unique_ptr<DirectoryCursor> child(cursor->GetChildren());
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(tmp.file("d"), child->GetPath());
    int entries = 0;
    do {
        EXPECT_TRUE(child->IsLink());  // only "." and ".."
        ++entries;
    } while (child->Next());
    EXPECT_EQ(2, entries);
}

TEST_P(Cursor, MissingOrTooLongPathsAndTheSlashSlashRoot) {
    auto missing = openCursor("/nonexistent/hostprobe/dir");
    EXPECT_EQ(nullptr, missing->GetName());
    EXPECT_TRUE(missing->IsLink());
    EXPECT_FALSE(missing->Next());

    EXPECT_EQ(ENAMETOOLONG, newCursor()->initialize(std::string(1024, 'a').c_str()));
    EXPECT_EQ(0, newCursor()->initialize(("/" + std::string(1022, 'a')).c_str()));

    // Below "//" the entry dev is excluded; below "/" it is an ordinary directory.
    auto slashSlash = openCursor("//");
    ASSERT_TRUE(seek(*slashSlash, "dev"));
    EXPECT_TRUE(slashSlash->IsLink());
    auto slash = openCursor("/");
    ASSERT_TRUE(seek(*slash, "dev"));
    EXPECT_FALSE(slash->IsLink());
    EXPECT_TRUE(slash->IsDirectory());
}

TEST_P(Cursor, EntryPathsThatDoNotFitAreUnreadable) {
    TempDir tmp;
    // A directory path of 1,000 bytes: an entry name of 30 bytes makes the entry path too long.
    std::string path = tmp.path();
    while (path.size() < 1000 - 200) {
        path += "/" + std::string(199, 'p');
        makeDirectory(path);
    }
    path += "/" + std::string(1000 - path.size() - 1, 'q');
    makeDirectory(path);
    ASSERT_EQ(1000u, path.size());
    makeFile(path + "/" + std::string(30, 'n'), "x");
    auto cursor = openCursor(path);
    ASSERT_TRUE(seek(*cursor, std::string(30, 'n')));
    EXPECT_TRUE(cursor->IsLink());
    EXPECT_EQ(ENAMETOOLONG, errno);
    EXPECT_EQ(0.0, cursor->GetSize());
    EXPECT_EQ(ENAMETOOLONG, errno);
    EXPECT_EQ(nullptr, cursor->GetChildren());
}

TEST_P(Cursor, SizeAboveFourGibibytesIsExact) {
    TempDir tmp;
    const long long size = 5LL * 1024 * 1024 * 1024 + 7;
    makeFile(tmp.file("big"), "");
    ASSERT_EQ(0, ::truncate(tmp.file("big").c_str(), size));
    auto cursor = openCursor(tmp.path());
    ASSERT_TRUE(seek(*cursor, "big"));
    EXPECT_FALSE(cursor->IsLink());
    EXPECT_EQ(static_cast<double>(size), cursor->GetSize());
}

INSTANTIATE_TEST_SUITE_P(LiveAndReadAhead, Cursor, ::testing::Values(1, 3),
                         [](const ::testing::TestParamInfo<int>& info) { return info.param == 1 ? "Live" : "ReadAhead"; });
