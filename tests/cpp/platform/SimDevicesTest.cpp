// The simulated mount table and device namespace.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "sol/dirent.h"
#include "sol/fcntl.h"
#include "sol/mkdev.h"
#include "sol/mnttab.h"
#include "sol/processor.h"
#include "sol/stat.h"
#include "sol/statvfs.h"
#include "sol/stdio.h"
#include "sol/unistd.h"
#include "sol/ustat.h"

using testsupport::SimHost;

namespace {

const char* kDisks = R"({
  "mnttab": {"entries": [
    {"special": "/dev/dsk/c0t0d0s0", "mountp": "/", "fstype": "ufs", "options": "rw,largefiles",
     "time": "1133000000", "statvfs": {"bsize": 8192, "frsize": 1024, "blocks": 8000000, "bfree": 3000000}},
    {"special": "nfs1:/export/home", "mountp": "/home", "fstype": "nfs", "statvfs_fails": true}]},
  "disks": [
    {"name": "c0t0d0", "node": "/pci@1f,4000/scsi@3/sd@0,0", "driver": "sd", "instance": 2},
    {"name": "c1t1d0", "node": "/pci@1f,4000/scsi@4/sd@1,0", "driver": "sd", "instance": 9,
     "access": "ro", "slices": [2]},
    {"name": "emcpower0", "naming": "letters", "node": "/pseudo/emcp@0", "driver": "emcp",
     "instance": 0, "access": "none", "slices": [0]}],
  "dev_entries": [
    {"dir": "rdsk", "name": "c9t9d9s2", "link": "../../devices/nowhere:c,raw"},
    {"dir": "rdsk", "name": "ab"}]
})";

std::vector<std::string> list(const char* dir) {
    std::vector<std::string> names;
    sol::DIR* d = sol::opendir(dir);
    if (d == nullptr) return names;
    while (sol::dirent* e = sol::readdir(d)) names.push_back(e->d_name);
    sol::closedir(d);
    return names;
}

}  // namespace

TEST(SimMnttab, ServesEntriesInSolarisFormat) {
    SimHost host(kDisks);
    FILE* fp = sol::fopen(sol::MNTTAB, "r");
    ASSERT_NE(nullptr, fp);
    sol::mnttab m;
    ASSERT_EQ(0, sol::getmntent(fp, &m));
    EXPECT_STREQ("/dev/dsk/c0t0d0s0", m.mnt_special);
    EXPECT_STREQ("ufs", m.mnt_fstype);
    EXPECT_STREQ("1133000000", m.mnt_time);
    ASSERT_EQ(0, sol::getmntent(fp, &m));
    EXPECT_STREQ("/home", m.mnt_mountp);
    EXPECT_EQ(nullptr, m.mnt_mntopts);  // absent options are written "-"
    EXPECT_EQ(-1, sol::getmntent(fp, &m));
    sol::fclose(fp);

    sol::statvfs64_t v;
    ASSERT_EQ(0, sol::statvfs64("/", &v));
    EXPECT_EQ(8000000u, v.f_blocks);
    EXPECT_EQ(1024u, v.f_frsize);
    EXPECT_EQ(-1, sol::statvfs64("/home", &v));
    EXPECT_EQ(-1, sol::statvfs64("/elsewhere", &v));
    EXPECT_EQ(ENOENT, errno);

    host.replace(R"({"mnttab": {"unreadable": true}})");
    EXPECT_EQ(nullptr, sol::fopen(sol::MNTTAB, "r"));
    EXPECT_EQ(EACCES, errno);
}

TEST(Getmntent, ReportsMalformedLines) {
    testsupport::TempDir dir;
    std::string longLine(1100, 'x');
    testsupport::writeFile(dir.file("tab"), "a\tb\tc\n" + longLine + "\na\tb\tc\td\te\tf\n-\t/\tufs\t-\t0\n");
    FILE* fp = std::fopen(dir.file("tab").c_str(), "r");
    ASSERT_NE(nullptr, fp);
    sol::mnttab m;
    EXPECT_EQ(sol::MNT_TOOFEW, sol::getmntent(fp, &m));
    EXPECT_EQ(sol::MNT_TOOLONG, sol::getmntent(fp, &m));
    EXPECT_EQ(sol::MNT_TOOMANY, sol::getmntent(fp, &m));
    ASSERT_EQ(0, sol::getmntent(fp, &m));
    EXPECT_EQ(nullptr, m.mnt_special);
    EXPECT_STREQ("/", m.mnt_mountp);
    EXPECT_EQ(-1, sol::getmntent(fp, &m));
    std::fclose(fp);
}

TEST(SimDevices, DirectoriesListDisksInOrderThenExtraEntries) {
    SimHost host(kDisks);
    std::vector<std::string> dsk = list("/dev/dsk");
    ASSERT_EQ(2u + 8 + 1 + 1, dsk.size());
    EXPECT_EQ(".", dsk[0]);
    EXPECT_EQ("c0t0d0s0", dsk[2]);
    EXPECT_EQ("c0t0d0s7", dsk[9]);
    EXPECT_EQ("c1t1d0s2", dsk[10]);
    EXPECT_EQ("emcpower0a", dsk[11]);
    std::vector<std::string> rdsk = list("/dev/rdsk");
    EXPECT_EQ("c9t9d9s2", rdsk[rdsk.size() - 2]);
    EXPECT_EQ("ab", rdsk.back());
}

TEST(SimDevices, LinksLeadToNodesWithDriverMajorAndInstanceMinor) {
    SimHost host(kDisks);
    char link[256];
    ssize_t n = sol::readlink("/dev/rdsk/c0t0d0s3", link, sizeof link);
    ASSERT_GT(n, 0);
    EXPECT_EQ("../../devices/pci@1f,4000/scsi@3/sd@0,0:d,raw", std::string(link, n));

    struct sol::stat st;
    ASSERT_EQ(0, sol::stat("/dev/rdsk/c0t0d0s3", &st));
    EXPECT_TRUE(sol::S_ISCHR(st.st_mode));
    EXPECT_EQ(2u * 8 + 3, sol::minor(st.st_rdev));
    ASSERT_EQ(0, sol::stat("/dev/dsk/c0t0d0s3", &st));
    EXPECT_TRUE(sol::S_ISBLK(st.st_mode));
    ASSERT_EQ(0, sol::lstat("/dev/dsk/c0t0d0s3", &st));
    EXPECT_TRUE(sol::S_ISLNK(st.st_mode));

    EXPECT_EQ(-1, sol::stat("/dev/rdsk/c9t9d9s2", &st));  // link to nowhere
    EXPECT_EQ(-1, sol::stat("/dev/rdsk/ab", &st));        // plain entry
    EXPECT_EQ(-1, sol::readlink("/dev/rdsk/ab", link, sizeof link));
    EXPECT_EQ(EINVAL, errno);
}

TEST(SimDevices, OpensHonourAccessAndRelativeNamesFollowChdir) {
    SimHost host(kDisks);
    ASSERT_EQ(0, sol::chdir("/dev/rdsk"));
    int fd = sol::open("c0t0d0s2", sol::O_RDWR | sol::O_NDELAY);
    ASSERT_GE(fd, 0);
    struct sol::stat st;
    ASSERT_EQ(0, sol::fstat(fd, &st));
    EXPECT_EQ(2u * 8 + 2, sol::minor(st.st_rdev));
    EXPECT_EQ(0, sol::close(fd));
    EXPECT_EQ(-1, sol::close(fd));

    EXPECT_EQ(-1, sol::open("c1t1d0s2", sol::O_RDWR));
    EXPECT_EQ(EACCES, errno);
    fd = sol::open("c1t1d0s2", sol::O_RDONLY);
    EXPECT_GE(fd, 0);
    sol::close(fd);
    EXPECT_EQ(-1, sol::open("/dev/rdsk/emcpower0a", sol::O_RDONLY));
    EXPECT_EQ(ENXIO, errno);
    EXPECT_EQ(0, sol::chdir("/"));  // back to the real file system
}

TEST(SimIndexes, TheFirstEntryAnswersEachMountPointDeviceNameAndProcessor) {
    SimHost host(R"({
      "mnttab": {"entries": [
        {"special": "/dev/dsk/c0t0d0s0", "mountp": "/data", "fstype": "ufs",
         "statvfs": {"frsize": 1024, "blocks": 1, "bfree": 1024}},
        {"special": "/dev/dsk/c0t0d0s0", "mountp": "/data", "fstype": "ufs",
         "statvfs": {"frsize": 1024, "blocks": 2, "bfree": 2048}},
        {"special": "/dev/dsk/../dsk/./c0t0d0s1", "mountp": "/one", "fstype": "ufs"},
        {"special": "/dev/dsk/c0t0d0s5", "mountp": "/gone", "fstype": "ufs"}]},
      "disks": [{"name": "c0t0d0", "node": "/pci@1f/sd@0,0", "driver": "sd", "instance": 1,
                 "slices": [0, 1, 4]}],
      "dev_entries": [{"dir": "dsk", "name": "c0t0d0s0", "link": "../../devices/nowhere:a"}],
      "processors": [{"id": 3, "clock": 100}, {"id": 3, "clock": 200}]})");

    sol::statvfs64_t v;
    ASSERT_EQ(0, sol::statvfs64("/data", &v));
    EXPECT_EQ(1u, v.f_blocks);

    // ustat follows each "/dev/dsk" special to its node, after resolving "." and "..".
    struct sol::ustat u;
    ASSERT_EQ(0, sol::ustat(sol::makedev(32, 8), &u));
    EXPECT_EQ(2048, u.f_tfree);  // the first entry: 1024 free blocks of 1024 bytes, in 512-byte units
    EXPECT_EQ(0, sol::ustat(sol::makedev(32, 9), &u));
    EXPECT_EQ(-1, sol::ustat(sol::makedev(32, 12), &u));  // slice 4 is not mounted
    EXPECT_EQ(EINVAL, errno);

    // Two "/dev/dsk" entries named alike: both listed, the first answers its name.
    EXPECT_EQ((std::vector<std::string>{".", "..", "c0t0d0s0", "c0t0d0s1", "c0t0d0s4", "c0t0d0s0"}),
              list("/dev/dsk"));
    char link[256];
    ssize_t n = sol::readlink("/dev/dsk/c0t0d0s0", link, sizeof link);
    EXPECT_EQ("../../devices/pci@1f/sd@0,0:a", std::string(link, n > 0 ? static_cast<size_t>(n) : 0));

    sol::processor_info_t info;
    ASSERT_EQ(0, sol::processor_info(3, &info));
    EXPECT_EQ(100, info.pi_clock);
}
