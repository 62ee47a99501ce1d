// The SCSI targets of the simulated host, through the pass-through ioctl.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "scsi/SolarisScsiInterrogatorC.h"
#include "sol/fcntl.h"
#include "sol/ioctl.h"
#include "sol/unistd.h"
#include "sol/uscsi.h"

using testsupport::SimHost;
using testsupport::TempDir;

namespace {

std::string host(const std::string& journal, const std::string& scsi) {
    return R"({"journal": ")" + journal + R"(", "disks": [
      {"name": "c2t0d0", "node": "/ssm@0/sd@0,0", "driver": "ssd", "instance": 4, "slices": [2],
       "scsi": )" + scsi + R"(},
      {"name": "c0t0d0", "node": "/pci@1f/sd@0,0", "driver": "sd", "instance": 0, "slices": [2]}]})";
}

const char* kTarget = R"({"vendor": "LSI", "product": "INF-01-00", "revision": "0612", "serial": "SN42",
  "vpd_c0_id": "SX11111111111111",
  "translation": [{"channel": 0, "id": 1, "tray": 0, "slot": 1}, {"raw": "e0010203"}],
  "log_3b": {"controller": [{"code": "0030", "value": 1000}, {"code": "8100", "text": "ctlA"},
                            {"code": "8160", "counts": [0, 1, 2]}],
             "drives": [{"channel": 0, "id": 1, "counters": [10, 20, 30, 40, 0, 0, 0, 1, 0]}],
             "params": [{"code": "d001", "hex": "0000"}]},
  "fail": ["vpd_80"]})";

struct Device {
    int fd;
    explicit Device(const char* path) : fd(sol::open(path, sol::O_RDONLY | sol::O_NDELAY)) {}
    ~Device() {
        if (fd != -1) sol::close(fd);
    }
};

// Sends `cdb` with a data-in buffer of `buflen` bytes; the answer, or errno as a negative size.
struct Answer {
    int rc;
    int error;
    std::vector<unsigned char> data;
    size_t resid;
};

Answer send(int fd, std::vector<unsigned char> cdb, size_t buflen, int flags = sol::USCSI_READ) {
    Answer a{};
    a.data.assign(buflen + 8, 0xEE);
    sol::uscsi_cmd cmd{};
    cmd.uscsi_flags = flags;
    cmd.uscsi_timeout = 30;
    cmd.uscsi_cdb = reinterpret_cast<sol::caddr_t>(cdb.data());
    cmd.uscsi_cdblen = static_cast<sol::uchar_t>(cdb.size());
    cmd.uscsi_bufaddr = reinterpret_cast<sol::caddr_t>(a.data.data());
    cmd.uscsi_buflen = buflen;
    errno = 0;
    a.rc = sol::ioctl(fd, sol::USCSICMD, &cmd);
    a.error = errno;
    a.resid = cmd.uscsi_resid;
    return a;
}

}  // namespace

TEST(SimUscsi, AnswersTheArrayCommandsCutToAllocationAndBufferLength) {
    TempDir dir;
    SimHost sim(host(dir.file("journal"), kTarget));
    Device lun("/dev/rdsk/c2t0d0s2");
    ASSERT_NE(-1, lun.fd);

    Answer inquiry = send(lun.fd, {0x12, 0, 0, 0, 0xFF, 0}, 65535);
    ASSERT_EQ(0, inquiry.rc);
    EXPECT_EQ(65535u - 96, inquiry.resid);
    EXPECT_EQ("LSI     INF-01-00       0612", std::string(inquiry.data.begin() + 8, inquiry.data.begin() + 36));
    EXPECT_EQ(0xEE, inquiry.data[96]);  // nothing written past the response

    Answer cut = send(lun.fd, {0x12, 0, 0, 0, 0x10, 0}, 65535);  // allocation length 16
    EXPECT_EQ(0xEE, cut.data[16]);
    EXPECT_EQ(0xEE, send(lun.fd, {0x12, 0, 0, 0, 0xFF, 0}, 12).data[12]);  // buffer length 12

    Answer c0 = send(lun.fd, {0x12, 1, 0xC0, 0, 0xFF, 0}, 65535);
    ASSERT_EQ(0, c0.rc);
    EXPECT_EQ("SX11111111111111", std::string(c0.data.begin() + 112, c0.data.begin() + 128));
    EXPECT_EQ(0xEE, c0.data[128]);

    Answer a0 = send(lun.fd, {0x1C, 1, 0xA0, 0xFF, 0xFF, 0}, 65535);
    ASSERT_EQ(0, a0.rc);
    EXPECT_EQ((std::vector<unsigned char>{0xA0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0xE0, 1, 2, 3}),
              std::vector<unsigned char>(a0.data.begin(), a0.data.begin() + 20));

    Answer log = send(lun.fd, {0x4D, 0, 0x7B, 0, 0, 0, 0, 0xFF, 0xFF, 0}, 65535);
    ASSERT_EQ(0, log.rc);
    // 8 + 14 + 132 (controller) + 40 (drive) + 6 (param) bytes after the header.
    EXPECT_EQ(0x3B, log.data[0]);
    EXPECT_EQ(8 + 14 + 132 + 40 + 6, log.data[2] * 256 + log.data[3]);
    EXPECT_EQ(2, log.data[26 + 4 + 4 * 2 + 3]);  // third initiator count, low byte of its slot
    EXPECT_EQ((std::vector<unsigned char>{0xC0, 0x01, 0x00, 36, 0, 0, 0, 10}),
              std::vector<unsigned char>(log.data.begin() + 158, log.data.begin() + 166));
    EXPECT_EQ((std::vector<unsigned char>{0xD0, 0x01, 0x00, 2, 0, 0}),
              std::vector<unsigned char>(log.data.begin() + 198, log.data.begin() + 204));

    Answer failed = send(lun.fd, {0x12, 1, 0x80, 0, 0xFF, 0}, 65535);
    EXPECT_EQ(-1, failed.rc);
    EXPECT_EQ(EIO, failed.error);
    Answer unknown = send(lun.fd, {0x00, 0, 0, 0, 0, 0}, 0);
    EXPECT_EQ(EINVAL, unknown.error);

    std::vector<unsigned char> params = {0x30, 0, 0, 8, 0, 1, 0x60, 4, 1, 0, 0, 0};
    sol::uscsi_cmd select{};
    unsigned char selectCdb[10] = {0x4C, 0, 0x40, 0, 0, 0, 0, 0, 0x0C, 0};
    select.uscsi_cdb = reinterpret_cast<sol::caddr_t>(selectCdb);
    select.uscsi_cdblen = 10;
    select.uscsi_bufaddr = reinterpret_cast<sol::caddr_t>(params.data());
    select.uscsi_buflen = params.size();
    EXPECT_EQ(0, sol::ioctl(lun.fd, sol::USCSICMD, &select));

    std::string journal = testsupport::readFile(dir.file("journal"));
    EXPECT_NE(std::string::npos, journal.find("USCSI /devices/ssm@0/sd@0,0:c,raw 12000000ff00\n"));
    EXPECT_NE(std::string::npos, journal.find("USCSI /devices/ssm@0/sd@0,0:c,raw 12018000ff00\n"));
    EXPECT_NE(std::string::npos,
              journal.find("USCSI /devices/ssm@0/sd@0,0:c,raw 4c004000000000000c00 300000080001600401000000\n"));
}

TEST(SimUscsi, DiskWithoutTargetAndListedFailures) {
    TempDir dir;
    SimHost sim(host(dir.file("journal"), R"({"vendor": "LSI", "fail": ["inquiry", "log_select"]})"));
    Device plain("/dev/rdsk/c0t0d0s2");
    EXPECT_EQ(ENOTTY, send(plain.fd, {0x12, 0, 0, 0, 0xFF, 0}, 255).error);
    Device lun("/dev/rdsk/c2t0d0s2");
    EXPECT_EQ(EIO, send(lun.fd, {0x12, 0, 0, 0, 0xFF, 0}, 255).error);
    EXPECT_EQ(EIO, send(lun.fd, {0x4C, 0, 0x40, 0, 0, 0, 0, 0, 0, 0}, 0, sol::USCSI_WRITE).error);
    EXPECT_EQ(0, send(lun.fd, {0x12, 1, 0xC0, 0, 0xFF, 0}, 255).rc);
}

TEST(Scan, NoDeviceDirectoryOrNoMatchGivesZero) {
    TempDir dir;
    SimHost sim(host(dir.file("journal"), kTarget));
    std::vector<char> result(SCSI_RESULT_LENGTH, 'x');
    scsiInterrogatorC(result.data(), "SX99999999999999", nullptr);
    EXPECT_STREQ("    0", result.data());

    // A long identifier is compared on its first 16 characters and never overruns its buffer.
    std::string longId = "SX11111111111111" + std::string(400, 'Z');
    scsiInterrogatorC(result.data(), longId.c_str(), nullptr);
    EXPECT_EQ("    1  0  1   80" + std::string("        10        20        30        40         0         0         0         1") +
                  "         0         0         0         0         0         0         0         0",
              result.data());
}

TEST(LiveUscsi, DescriptorThatIsNoScsiDeviceFailsCleanly) {
    if (std::getenv("HOSTPROBE_SIMHOST") != nullptr) GTEST_SKIP() << "runs against this machine";
    TempDir dir;
    testsupport::writeFile(dir.file("plain"), "not a device");
    int fd = sol::open(dir.file("plain").c_str(), sol::O_RDONLY | sol::O_NDELAY);
    ASSERT_NE(-1, fd);
    Answer a = send(fd, {0x12, 0, 0, 0, 0xFF, 0}, 255);
    EXPECT_EQ(-1, a.rc);
    EXPECT_NE(0, a.error);
    EXPECT_EQ(0xEE, a.data[0]);
    sol::close(fd);

    // Without a /dev/rdsk directory no device is found.
    std::vector<char> result(SCSI_RESULT_LENGTH, 'x');
    scsiInterrogatorC(result.data(), "SX11111111111111", "SX22222222222222");
    EXPECT_STREQ("    0", result.data());
}
