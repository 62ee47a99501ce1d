// The disk ioctls and ustat of the simulated host.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "TestSupport.h"
#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/stat.h"
#include "sol/unistd.h"
#include "sol/ustat.h"

using testsupport::SimHost;

namespace {

const std::string kTemplate = R"({
  "mnttab": {"entries": [
    {"special": "/dev/dsk/c0t0d0s0", "mountp": "/", "fstype": "ufs",
     "statvfs": {"frsize": 1024, "bfree": 3000, "ffree": 77}},
    {"special": "nfs1:/export/home", "mountp": "/home", "fstype": "nfs"}]},
  "disks": [
    {"name": "c0t0d0", "node": "/pci@1f,4000/scsi@3/sd@0,0", "driver": "sd", "instance": 2,
     "geometry": {"ncyl": 962, "acyl": 2, "pcyl": 964, "nhead": 27, "nsect": 107, "rpm": 7200},
     "geometry_fails_rw": true,
     "vtoc": {"asciilabel": {"hex": "4c4c4c"}, "volume": "vol1", "sectorsz": 512,
              "parts": [{"tag": 2, "flag": 1, "start": 0, "size": 2097152},
                        {"tag": 3, "start": 2097152, "size": 1000}]},
     "dkinfo": {"cname": "glm", "dname": "sd", "cnum": 1, "unit": 2, "maxtransfer": 256}},
    {"name": "c1t0d0", "node": "/pci@1f,2000/scsi@1/sd@0,0", "driver": "sd", "instance": 8,
     "access": "ro", "slices": [2], "dkinfo": null},
    {"name": "c2t0d0", "node": "/pci@1f,2000/scsi@1/sd@1,0", "driver": "sd", "instance": 9,
     "access": "none", "slices": [2]},
    {"name": "emcpower0", "naming": "letters", "node": "/pseudo/emcp@0", "driver": "emcp",
     "instance": 0, "slices": [1], "vtoc": {"asciilabel": {"hex": "LABEL128"}}}],
  "dev_entries": [{"dir": "rdsk", "name": "c8t0d0s0", "node": {"minor": 9, "disk": "c0t0d0", "slice": 9}}]
})";

// The emcpower label: 126 bytes "A" and 2 bytes "B", no terminator.
std::string hostJson() {
    std::string json = kTemplate;
    std::string label;
    for (int i = 0; i < 126; ++i) label += "41";
    label += "4242";
    return json.replace(json.find("LABEL128"), 8, label);
}
const std::string kHost = hostJson();

struct Opened {
    int fd;
    explicit Opened(const char* path, int flags) : fd(sol::open(path, flags)) {}
    ~Opened() {
        if (fd >= 0) sol::close(fd);
    }
};

TEST(SimDkio, GeometryAnswersReadOnlyOpensWhenReadWriteIsRefused) {
    SimHost host(kHost);
    Opened rw("/dev/rdsk/c0t0d0s2", sol::O_RDWR | sol::O_NDELAY);
    ASSERT_GE(rw.fd, 0);
    sol::dk_geom g{};
    EXPECT_EQ(-1, sol::ioctl(rw.fd, sol::DKIOCGGEOM, &g));
    EXPECT_EQ(ENOTTY, errno);

    Opened ro("/dev/rdsk/c0t0d0s2", sol::O_RDONLY);
    ASSERT_EQ(0, sol::ioctl(ro.fd, sol::DKIOCGGEOM, &g));
    EXPECT_EQ(962, g.dkg_ncyl);
    EXPECT_EQ(2, g.dkg_acyl);
    EXPECT_EQ(964, g.dkg_pcyl);
    EXPECT_EQ(27, g.dkg_nhead);
    EXPECT_EQ(107, g.dkg_nsect);
    EXPECT_EQ(7200, g.dkg_rpm);
    EXPECT_EQ(-1, sol::ioctl(ro.fd, 0x04FF, &g));
    EXPECT_EQ(ENOTTY, errno);
}

TEST(SimDkio, TableOfContentsAndControllerInfo) {
    SimHost host(kHost);
    Opened dev("/dev/rdsk/c0t0d0s1", sol::O_RDONLY);
    sol::vtoc v;
    std::memset(&v, 0x5A, sizeof v);
    ASSERT_EQ(0, sol::ioctl(dev.fd, sol::DKIOCGVTOC, &v));
    EXPECT_EQ(sol::VTOC_SANE, v.v_sanity);
    EXPECT_EQ(8, v.v_nparts);
    EXPECT_EQ(512, v.v_sectorsz);
    EXPECT_STREQ("LLL", v.v_asciilabel);
    EXPECT_EQ(0, std::memcmp(v.v_volume, "vol1\0\0\0\0", 8));
    EXPECT_EQ(2, v.v_part[0].p_tag);
    EXPECT_EQ(1, v.v_part[0].p_flag);
    EXPECT_EQ(2097152, v.v_part[0].p_size);
    EXPECT_EQ(1000, v.v_part[1].p_size);
    EXPECT_EQ(0, v.v_part[7].p_size);  // missing slots are zero
    EXPECT_EQ(0, v.v_part[7].p_tag);

    sol::dk_cinfo info{};
    ASSERT_EQ(0, sol::ioctl(dev.fd, sol::DKIOCINFO, &info));
    EXPECT_STREQ("glm", info.dki_cname);
    EXPECT_STREQ("sd", info.dki_dname);
    EXPECT_EQ(2u, info.dki_unit);
    EXPECT_EQ(1, info.dki_partition);  // the slice of the opened node
    EXPECT_EQ(256, info.dki_maxtransfer);

    Opened odd("/dev/rdsk/c8t0d0s0", sol::O_RDONLY);
    ASSERT_EQ(0, sol::ioctl(odd.fd, sol::DKIOCINFO, &info));
    EXPECT_EQ(9, info.dki_partition);
}

TEST(SimDkio, AbsentSectionsFailAndAccessIsEnforced) {
    SimHost host(kHost);
    Opened ro("/dev/rdsk/c1t0d0s2", sol::O_RDONLY);
    ASSERT_GE(ro.fd, 0);
    sol::dk_geom g;
    sol::vtoc v;
    sol::dk_cinfo info;
    EXPECT_EQ(-1, sol::ioctl(ro.fd, sol::DKIOCGGEOM, &g));
    EXPECT_EQ(ENOTTY, errno);
    EXPECT_EQ(-1, sol::ioctl(ro.fd, sol::DKIOCGVTOC, &v));
    EXPECT_EQ(EINVAL, errno);
    EXPECT_EQ(-1, sol::ioctl(ro.fd, sol::DKIOCINFO, &info));  // "dkinfo": null
    EXPECT_EQ(ENOTTY, errno);

    EXPECT_EQ(-1, sol::open("/dev/rdsk/c1t0d0s2", sol::O_RDWR | sol::O_NDELAY));
    EXPECT_EQ(EACCES, errno);
    EXPECT_EQ(-1, sol::open("/dev/rdsk/c2t0d0s2", sol::O_RDONLY));
    EXPECT_EQ(ENXIO, errno);

    // Without a dkinfo section the answer names the driver and instance.
    Opened emc("/dev/rdsk/emcpower0b", sol::O_RDONLY);
    ASSERT_EQ(0, sol::ioctl(emc.fd, sol::DKIOCINFO, &info));
    EXPECT_STREQ("emcp", info.dki_dname);
    EXPECT_EQ(1, info.dki_partition);
    // A label of 128 bytes is copied whole, without a terminator.
    ASSERT_EQ(0, sol::ioctl(emc.fd, sol::DKIOCGVTOC, &v));
    EXPECT_EQ('A', v.v_asciilabel[125]);
    EXPECT_EQ('B', v.v_asciilabel[127]);
}

TEST(SimUstat, MountedExactlyWhenAMountedSpecialHasTheDeviceNumber) {
    SimHost host(kHost);
    struct sol::stat raw, other;
    ASSERT_EQ(0, sol::stat("/dev/rdsk/c0t0d0s0", &raw));
    ASSERT_EQ(0, sol::stat("/dev/rdsk/c0t0d0s1", &other));
    struct sol::ustat u;
    ASSERT_EQ(0, sol::ustat(raw.st_rdev, &u));  // block and raw nodes share the number
    EXPECT_EQ(3000 * 1024 / 512, u.f_tfree);
    EXPECT_EQ(77u, u.f_tinode);
    EXPECT_EQ(-1, sol::ustat(other.st_rdev, &u));
    EXPECT_EQ(EINVAL, errno);

    Opened dev("/dev/rdsk/c0t0d0s0", sol::O_RDONLY);
    struct sol::stat opened;
    ASSERT_EQ(0, sol::fstat(dev.fd, &opened));
    EXPECT_EQ(raw.st_rdev, opened.st_rdev);
    EXPECT_EQ(0, sol::ustat(opened.st_rdev, &u));
}

}  // namespace
