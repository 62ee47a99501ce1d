// Parsers of the live Linux backend.
#include <gtest/gtest.h>

#include "linux/LinuxFiles.h"

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
