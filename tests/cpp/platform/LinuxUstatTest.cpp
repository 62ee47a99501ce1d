// ustat on the live Linux host, emulated from the mount table.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>

#include "sol/stat.h"
#include "sol/ustat.h"

TEST(LinuxUstat, RootFileSystemIsMountedAndAnUnknownDeviceIsNot) {
    ::unsetenv("HOSTPROBE_SIMHOST");
    struct sol::stat root;
    ASSERT_EQ(0, sol::stat("/", &root));
    struct sol::ustat u;
    EXPECT_EQ(0, sol::ustat(root.st_dev, &u));
    EXPECT_EQ(-1, sol::ustat(sol::makedev(4000, 4000), &u));
    EXPECT_EQ(EINVAL, errno);
}
