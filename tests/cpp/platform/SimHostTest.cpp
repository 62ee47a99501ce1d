// The simulated host behind the Solaris interfaces: conventions, reloads and bad descriptions.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "TestSupport.h"
#include "sim/SimHost.h"
#include "sol/kstat.h"
#include "sol/sysinfo.h"
#include "sol/systeminfo.h"
#include "sol/unistd.h"
#include "sol/utsname.h"

using testsupport::SimHost;

TEST(SimSysinfo, ReturnsNeededSizeAndTruncatesLikeSolaris) {
    SimHost host(R"({"sysinfo": {"hostname": "alphabetical", "fail": ["platform"]}})");
    char buf[6];
    EXPECT_EQ(13, sol::sysinfo(sol::SI_HOSTNAME, buf, sizeof buf));
    EXPECT_STREQ("alpha", buf);
    EXPECT_EQ(-1, sol::sysinfo(sol::SI_PLATFORM, buf, sizeof buf));
    EXPECT_EQ(EINVAL, errno);
    EXPECT_EQ(1, sol::sysinfo(sol::SI_VERSION, buf, sizeof buf));  // absent field: empty value
}

TEST(SimUname, DefaultsToSysinfoAndCanFail) {
    SimHost host(R"({"sysinfo": {"sysname": "SunOS", "hostname": "beta", "release": "5.10"},
                     "uname": {"version": "Generic"}})");
    sol::utsname u;
    ASSERT_GE(sol::uname(&u), 0);
    EXPECT_STREQ("SunOS", u.sysname);
    EXPECT_STREQ("beta", u.nodename);
    EXPECT_STREQ("5.10", u.release);
    EXPECT_STREQ("Generic", u.version);
    host.replace(R"({"uname": {"fail": true}})");
    EXPECT_EQ(-1, sol::uname(&u));
}

TEST(SimSysconf, AnswersGivenNamesOnly) {
    SimHost host(R"({"sysconf": {"pagesize": 8192, "cpuid_max": 511}})");
    EXPECT_EQ(8192, sol::sysconf(sol::_SC_PAGESIZE));
    EXPECT_EQ(511, sol::sysconf(sol::_SC_CPUID_MAX));
    errno = 0;
    EXPECT_EQ(-1, sol::sysconf(sol::_SC_PHYS_PAGES));
    EXPECT_EQ(EINVAL, errno);
}

TEST(SimKstat, ChainOrderLookupWildcardsAndReads) {
    SimHost host(R"({"kstat": {"chain": [
        {"module": "cpu_stat", "instance": 0, "name": "cpu_stat0", "class": "misc",
         "cpu": {"idle": 7, "user": 2147483648, "kernel": 5, "wait": 1}},
        {"module": "sd", "instance": 3, "name": "sd3", "class": "disk", "type": "io",
         "io": {"nread": 1000, "wlastupdate": 777, "rtime": 888}},
        {"module": "sd", "instance": 3, "name": "sd3,a", "class": "partition", "type": "io",
         "io": {"nread": 1}, "read_fails": true}]}})");
    sol::kstat_ctl_t* kc = sol::kstat_open();
    ASSERT_NE(nullptr, kc);

    sol::kstat_t* cpu = sol::kstat_lookup(kc, "cpu_stat", 0, nullptr);
    ASSERT_NE(nullptr, cpu);
    sol::cpu_stat_t stat;
    EXPECT_GE(sol::kstat_read(kc, cpu, &stat), 0);
    EXPECT_EQ(2147483648u, stat.cpu_sysinfo.cpu[sol::CPU_USER]);
    EXPECT_EQ(7u, stat.cpu_sysinfo.cpu[sol::CPU_IDLE]);

    sol::kstat_t* disk = sol::kstat_lookup(kc, nullptr, -1, "sd3");
    ASSERT_NE(nullptr, disk);
    EXPECT_EQ(sol::KSTAT_TYPE_IO, disk->ks_type);
    EXPECT_STREQ("disk", disk->ks_class);
    EXPECT_EQ(disk, cpu->ks_next);
    ASSERT_GE(sol::kstat_read(kc, disk, nullptr), 0);
    auto* io = static_cast<sol::kstat_io_t*>(disk->ks_data);
    EXPECT_EQ(1000u, io->nread);
    EXPECT_EQ(777, io->wlastupdate);
    EXPECT_EQ(888, io->rtime);

    sol::kstat_t* part = sol::kstat_lookup(kc, "sd", 3, "sd3,a");
    ASSERT_NE(nullptr, part);
    EXPECT_EQ(-1, sol::kstat_read(kc, part, nullptr));
    EXPECT_EQ(nullptr, sol::kstat_lookup(kc, "sd", 4, nullptr));
    EXPECT_EQ(ENOENT, errno);
    EXPECT_EQ(0, sol::kstat_close(kc));
}

TEST(SimKstat, VminfoSumsGrowByTheCountsAtEveryRead) {
    SimHost host(R"({"kstat": {"chain": [{"module": "unix", "instance": 0, "name": "vminfo",
        "vminfo": {"freemem": 100, "swap_resv": 3, "swap_avail": 40}}]}})");
    sol::kstat_ctl_t* kc = sol::kstat_open();
    ASSERT_NE(nullptr, kc);
    sol::kstat_t* ks = sol::kstat_lookup(kc, "unix", 0, "vminfo");
    ASSERT_NE(nullptr, ks);
    sol::vminfo_t first, second;
    sol::kstat_read(kc, ks, &first);
    sol::kstat_read(kc, ks, &second);
    EXPECT_EQ(100u, second.freemem - first.freemem);
    EXPECT_EQ(3u, second.swap_resv - first.swap_resv);
    EXPECT_EQ(40u, second.swap_avail - first.swap_avail);
    sol::kstat_close(kc);
}

TEST(SimHostFile, ReloadsWhenReplacedAndFailsCallsWhenBroken) {
    SimHost host(R"({"sysinfo": {"hostname": "one"}})");
    char buf[32];
    sol::sysinfo(sol::SI_HOSTNAME, buf, sizeof buf);
    EXPECT_STREQ("one", buf);

    host.replace(R"({"sysinfo": {"hostname": "two"}})");
    sol::sysinfo(sol::SI_HOSTNAME, buf, sizeof buf);
    EXPECT_STREQ("two", buf);

    testing::internal::CaptureStderr();
    host.replace(R"({"sysinfo": {"hostname": "three"}, "gremlins": 1})");
    EXPECT_EQ(-1, sol::sysinfo(sol::SI_HOSTNAME, buf, sizeof buf));
    EXPECT_EQ(nullptr, sol::kstat_open());
    std::string complaint = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, complaint.find(host.path()));
    EXPECT_NE(std::string::npos, complaint.find("gremlins"));
    EXPECT_EQ(1, std::count(complaint.begin(), complaint.end(), '\n'));  // one line, not one per call

    testing::internal::CaptureStderr();
    host.replace("{\"kstat\": {\"open_fails\": true}");  // truncated JSON
    EXPECT_EQ(nullptr, sol::kstat_open());
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("parse error"));

    host.replace(R"({"kstat": {"open_fails": true}})");
    EXPECT_EQ(nullptr, sol::kstat_open());
}

TEST(SimHostFile, MissingFileFailsCalls) {
    SimHost host("{}");
    ::setenv("HOSTPROBE_SIMHOST", "/nonexistent/host.json", 1);
    testing::internal::CaptureStderr();
    char buf[8];
    EXPECT_EQ(-1, sol::sysinfo(sol::SI_HOSTNAME, buf, sizeof buf));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("/nonexistent/host.json"));
}

namespace {

// The complaint about a description, or "" when the format accepts it.
std::string complaintAbout(const char* text) {
    try {
        sim::validate(sim::json::parse(text));
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(SimHostFormat, RefusesNullWhereAValueIsReadAndNumbersOutOfTheirRange) {
    // Null stays "absent" where the host can do without the value.
    EXPECT_EQ("", complaintAbout(R"({"disks": [{"name": "c0t0d0", "scsi": null, "geometry": null}],
        "hba": {"adapters": [{"attributes": {"NumberOfPorts": null}, "mapping": {"retry_status": null}}]},
        "shadow": {"entries": [{"name": "absent", "passwd": null}]}})"));
    EXPECT_EQ("description.disks[0].access: expected a value, not null",
              complaintAbout(R"({"disks": [{"name": "c0t0d0", "access": null}]})"));
    EXPECT_EQ("description.disks[0].slices[1]: expected a value, not null",
              complaintAbout(R"({"disks": [{"name": "c0t0d0", "slices": [0, null]}]})"));
    EXPECT_EQ("description.disks[0].scsi.log_3b.controller[0].counts[0]: expected a value, not null",
              complaintAbout(R"({"disks": [{"scsi": {"log_3b": {"controller": [{"code": "8160", "counts": [null]}]}}}]})"));
    EXPECT_EQ("description.kstat.chain[0].instance: expected a value, not null",
              complaintAbout(R"({"kstat": {"chain": [{"module": "sd", "instance": null}]}})"));

    // Each number must fit the field it fills; a fraction is cut toward zero.
    EXPECT_EQ("", complaintAbout(R"({"kstat": {"chain": [{"module": "sd", "io": {"reads": 4294967295,
        "nread": 18446744073709551615, "rtime": -9223372036854775808, "wtime": 2.5}}]},
        "hba": {"adapters": [{"ports": [{"statistics": {"TxFrames": -1}}]}]}})"));
    EXPECT_EQ("description.kstat.chain[0].io.reads: number out of range",
              complaintAbout(R"({"kstat": {"chain": [{"io": {"reads": 4294967296}}]}})"));
    EXPECT_EQ("description.kstat.chain[0].io.rtime: number out of range",
              complaintAbout(R"({"kstat": {"chain": [{"io": {"rtime": 1e300}}]}})"));
    EXPECT_EQ("description.disks[0].vtoc.sectorsz: number out of range",
              complaintAbout(R"({"disks": [{"vtoc": {"sectorsz": -1.5}}]})"));
    EXPECT_EQ("description.hba.adapters[0].open_failures: number out of range",
              complaintAbout(R"({"hba": {"adapters": [{"open_failures": 1e300}]}})"));
    EXPECT_EQ("description.disks[0].scsi.translation[0].slot: number out of range",
              complaintAbout(R"({"disks": [{"scsi": {"translation": [{"slot": 256}]}}]})"));
}

TEST(SimHostFormat, TheComplaintStaysOneLine) {
    EXPECT_EQ("description: unknown key \"bad\\nkey\\x09\"", complaintAbout("{\"bad\\nkey\\t\": 1}"));
}
