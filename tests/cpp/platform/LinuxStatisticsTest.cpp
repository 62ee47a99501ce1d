// Parsers and converters of the live Linux processor and disk statistics.
#include <gtest/gtest.h>

#include "linux/LinuxStatistics.h"

using namespace linuxhost;

TEST(LinuxStatistics, ProcStatGivesPerCpuTicksInSolarisStates) {
    auto cpus = parseProcStat(
        "cpu  43002 0 15498 128214 443 0 125 0 0 0\n"
        "cpu0 100 5 30 1000 7 2 1 9 0 0\n"
        "cpu3 4294967296 1 0 10 0 0 0 0 0 0\n"
        "cpu7 1 2 3 4\n"
        "intr 317275 0 0\n");
    ASSERT_EQ(3u, cpus.size());
    EXPECT_EQ(0, cpus[0].id);
    EXPECT_EQ(3, cpus[1].id);
    EXPECT_EQ(7, cpus[2].id);

    sol::cpu_stat_t s = cpuStat(cpus[0], 100, 100);
    EXPECT_EQ(105u, s.cpu_sysinfo.cpu[sol::CPU_USER]);    // user + nice
    EXPECT_EQ(33u, s.cpu_sysinfo.cpu[sol::CPU_KERNEL]);   // system + irq + softirq
    EXPECT_EQ(7u, s.cpu_sysinfo.cpu[sol::CPU_WAIT]);
    EXPECT_EQ(1000u, s.cpu_sysinfo.cpu[sol::CPU_IDLE]);
    EXPECT_EQ(1u, cpuStat(cpus[1], 100, 100).cpu_sysinfo.cpu[sol::CPU_USER]);  // wraps at 32 bits
    EXPECT_EQ(3u, cpuStat(cpus[2], 100, 100).cpu_sysinfo.cpu[sol::CPU_KERNEL]);  // short line
    EXPECT_EQ(10000u, cpuStat(cpus[0], 1000, 100).cpu_sysinfo.cpu[sol::CPU_IDLE]);
}

TEST(LinuxStatistics, DiskstatsGiveBytesAndNanoseconds) {
    auto disks = parseDiskstats(
        " 254       0 vda 40701 6877 3781842 11329 6291 10111 1974344 5866 2 7476 19299 5853 38 1275632 1920 523 181\n"
        " 254       1 vda1 10 8 0 0\n"  // the short form of old kernels

        "   8      16 sdb 1 0 2 3 4 0 6 7 0 9 10\n"
        "garbage\n");
    ASSERT_EQ(2u, disks.size());
    EXPECT_EQ("vda", disks[0].name);
    EXPECT_EQ("sdb", disks[1].name);
    EXPECT_EQ(16u, disks[1].minor);
    sol::kstat_io_t io = diskIo(disks[0], 123);
    EXPECT_EQ(3781842ull * 512, io.nread);
    EXPECT_EQ(1974344ull * 512, io.nwritten);
    EXPECT_EQ(40701u, io.reads);
    EXPECT_EQ(7476ll * 1000000, io.rtime);
    EXPECT_EQ(19299ll * 1000000, io.rlentime);
    EXPECT_EQ(2u, io.rcnt);
    EXPECT_EQ(123, io.wlastupdate);
    EXPECT_EQ(0, io.wtime);

    // Counters too large for nanoseconds are held at the largest time, never wrapped negative.
    DiskStats huge;
    huge.ioMs = 9223372036854ull;  // the largest that converts exactly
    huge.weightedMs = UINT64_MAX;
    io = diskIo(huge, 0);
    EXPECT_EQ(9223372036854000000ll, io.rtime);
    EXPECT_EQ(INT64_MAX, io.rlentime);
    huge.ioMs = 9223372036855ull;
    EXPECT_EQ(INT64_MAX, diskIo(huge, 0).rtime);
}

TEST(LinuxStatistics, CpuinfoClocks) {
    auto mhz = parseCpuinfoMhz("processor\t: 0\nmodel name\t: X\ncpu MHz\t\t: 2694.868\n\n"
                               "processor\t: 1\nmodel name\t: X\n\nprocessor\t: 2\ncpu MHz\t: 800\n");
    EXPECT_DOUBLE_EQ(2694.868, mhz.at(0));
    EXPECT_EQ(0u, mhz.count(1));
    EXPECT_DOUBLE_EQ(800, mhz.at(2));
}
