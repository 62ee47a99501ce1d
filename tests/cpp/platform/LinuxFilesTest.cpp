// Parsers of the live Linux backend.
#include <gtest/gtest.h>

#include <cstdio>

#include "linux/LinuxFiles.h"
#include "sol/mnttab.h"

TEST(LinuxFiles, RangeLists) {
    EXPECT_TRUE(linuxhost::inRangeList("0-3,6", 0));
    EXPECT_TRUE(linuxhost::inRangeList("0-3,6", 3));
    EXPECT_FALSE(linuxhost::inRangeList("0-3,6", 4));
    EXPECT_TRUE(linuxhost::inRangeList("0-3,6", 6));
    EXPECT_FALSE(linuxhost::inRangeList("0-3,6", 7));
    EXPECT_FALSE(linuxhost::inRangeList("", 0));
    EXPECT_EQ(3, linuxhost::highestInRangeList("0-3"));
    EXPECT_EQ(6, linuxhost::highestInRangeList("0-3,6"));
    EXPECT_EQ(0, linuxhost::highestInRangeList("0"));
    EXPECT_EQ(-1, linuxhost::highestInRangeList(""));
}

TEST(LinuxFiles, ParsesMeminfo) {
    auto m = linuxhost::parseMeminfo("MemTotal:       24683736 kB\nMemFree:  100 kB\nHugePages_Total:       0\n");
    EXPECT_EQ(24683736u, m["MemTotal"]);
    EXPECT_EQ(100u, m["MemFree"]);
    EXPECT_EQ(0u, m["HugePages_Total"]);
}

TEST(LinuxFiles, MountFieldsKeepTheSolarisLineWhole) {
    EXPECT_EQ("-", linuxhost::mnttabField(""));
    EXPECT_EQ("-", linuxhost::mnttabField(nullptr));
    EXPECT_EQ("/mnt/a\\011b\\012c\\134d e", linuxhost::mnttabField("/mnt/a\tb\nc\\d e"));

    // A line made of such fields reads back as five fields, and the next line is still there.
    std::string text = linuxhost::mnttabField("/dev/sda1") + '\t' + linuxhost::mnttabField("/mnt/tab\there") +
                       "\text4\t" + linuxhost::mnttabField("rw,new\nline") + "\t0\n/dev/sdb1\t/data\text4\trw\t0\n";
    FILE* fp = ::fmemopen(&text[0], text.size(), "r");
    ASSERT_NE(nullptr, fp);
    sol::mnttab m;
    ASSERT_EQ(0, sol::getmntent(fp, &m));
    EXPECT_STREQ("/mnt/tab\\011here", m.mnt_mountp);
    EXPECT_STREQ("rw,new\\012line", m.mnt_mntopts);
    ASSERT_EQ(0, sol::getmntent(fp, &m));
    EXPECT_STREQ("/data", m.mnt_mountp);
    EXPECT_EQ(-1, sol::getmntent(fp, &m));
    std::fclose(fp);
}
