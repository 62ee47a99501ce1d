// The disk ioctls of an opened namespace entry: DKIOCINFO from sysfs, DKIOCGGEOM from
// HDIO_GETGEO or the capacity, DKIOCGVTOC from the partition table read off the disk.
#include "linux/LinuxFlags.h"  // first: captures the Linux flag values

#include <linux/hdreg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "SysinfoCopy.h"
#include "linux/LinuxDevices.h"
#include "linux/LinuxDiskLabel.h"
#include "linux/LinuxFiles.h"
#include "sol/dkio.h"

namespace sol::native {

namespace {

int fail(int error) {
    errno = error;
    return -1;
}

unsigned long long sysfsNumber(const std::string& path, unsigned long long fallback = 0) {
    auto n = linuxhost::naming::parseNumber(linuxhost::firstLine(path));
    return n ? *n : fallback;
}

// Size and sector size of a block disk, from sysfs (which counts 512-byte sectors).
struct Capacity {
    uint32_t sectorSize = 512;
    uint64_t sectors = 0;  // logical sectors
};

Capacity capacityOf(const linuxhost::LiveDisk& disk) {
    Capacity c;
    unsigned long long size = sysfsNumber(disk.sysfsDir + "/queue/logical_block_size", 512);
    if (size >= 512 && size <= 65536 && (size & (size - 1)) == 0) c.sectorSize = static_cast<uint32_t>(size);
    c.sectors = sysfsNumber(disk.sysfsDir + "/size") * 512 / c.sectorSize;
    return c;
}

// The geometry: heads and sectors per track from HDIO_GETGEO where the driver answers it, else
// 64 and 32 up to 1 GiB and 255 and 63 above (the conventions Linux's own drivers report);
// cylinders are the capacity over a cylinder (the kernel's 16-bit count wraps), and where they
// would not fit 16 bits the tracks grow instead. No cylinders are held back as alternates.
dk_geom geometryOf(const OpenDisk& d) {
    Capacity c = capacityOf(d.disk);
    unsigned long heads = 0, sectors = 0;
    struct hd_geometry hd {};
    if (d.openError == 0 && !d.disk.genericOnly && ::ioctl(d.fd, HDIO_GETGEO, &hd) == 0) {
        heads = hd.heads;
        sectors = hd.sectors;
    }
    if (heads == 0 || sectors == 0) {
        bool small = c.sectors * c.sectorSize <= (1ull << 30);
        heads = small ? 64 : 255;
        sectors = small ? 32 : 63;
    }
    if (c.sectors / (heads * sectors) > 0xFFFF) sectors = std::min<uint64_t>(0xFFFF, (c.sectors + heads * 0xFFFF - 1) / (heads * 0xFFFF));
    uint64_t cylinders = std::min<uint64_t>(0xFFFF, c.sectors / (heads * sectors));
    dk_geom g{};
    g.dkg_ncyl = static_cast<unsigned short>(cylinders);
    g.dkg_pcyl = static_cast<unsigned short>(cylinders);
    g.dkg_nhead = static_cast<unsigned short>(heads);
    g.dkg_nsect = static_cast<unsigned short>(sectors);
    g.dkg_intrlv = 1;
    return g;
}

// The first word of the label: the drive's identity as sysfs gives it (vendor, model and
// revision, blanks inside them as '-'), else the name of the disk's Linux driver.
std::string labelName(const linuxhost::LiveDisk& disk) {
    std::string device = disk.sysfsDir + "/device/";
    std::string name;
    for (const char* field : {"vendor", "model", "rev", "firmware_rev"}) {
        std::string value = linuxhost::firstLine(device + field);
        if (value.compare(0, 2, "0x") == 0) continue;  // a virtio vendor number, no name
        std::string word;
        for (char ch : value) {
            if (ch == ' ' || ch == '\t') {
                if (!word.empty() && word.back() != '-') word += '-';
            } else if (static_cast<unsigned char>(ch) > ' ' && static_cast<unsigned char>(ch) < 0x7F) {
                word += ch;
            }
        }
        while (!word.empty() && word.back() == '-') word.pop_back();
        if (!word.empty()) name += (name.empty() ? "" : "-") + word;
    }
    return name.empty() ? disk.hostDriver : name;
}

std::string labelText(const OpenDisk& d, const dk_geom& g) {
    return labelName(d.disk) + " cyl " + std::to_string(g.dkg_ncyl) + " alt " + std::to_string(g.dkg_acyl) + " hd " +
           std::to_string(g.dkg_nhead) + " sec " + std::to_string(g.dkg_nsect);
}

// A descriptor closed when the holder goes.
struct ReadOnlyNode {
    explicit ReadOnlyNode(const std::string& path) : fd(::open(path.c_str(), linuxhost::kReadOnly | linuxhost::kCloseOnExec)) {}
    ~ReadOnlyNode() {
        if (fd >= 0) ::close(fd);
    }
    ReadOnlyNode(const ReadOnlyNode&) = delete;
    ReadOnlyNode& operator=(const ReadOnlyNode&) = delete;
    int fd;
};

// The table of contents from the disk's own table, read through its whole-disk node; a disk
// without a table answers EINVAL, as a Solaris disk without a label does.
int tableOfContents(const OpenDisk& d, vtoc* out) {
    if (d.disk.genericOnly) return fail(ENOTTY);
    ReadOnlyNode node(linuxhost::linuxNodeOfSlice(d.disk, 2));
    if (node.fd < 0) return -1;
    Capacity c = capacityOf(d.disk);
    auto read = [&](uint64_t lba, uint32_t count, std::vector<uint8_t>& buffer) {
        size_t bytes = static_cast<size_t>(count) * c.sectorSize;
        buffer.assign(bytes, 0);
        for (size_t done = 0; done < bytes;) {
            ssize_t n = ::pread(node.fd, buffer.data() + done, bytes - done, static_cast<off_t>(lba * c.sectorSize + done));
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    };
    auto table = linuxhost::readPartitionTable(read, c.sectorSize, c.sectors);
    if (!table) return fail(EIO);
    if (table->scheme == linuxhost::PartitionTable::Scheme::None) return fail(EINVAL);
    linuxhost::fillVtoc(*table, c.sectors, c.sectorSize, labelText(d, geometryOf(d)), out);
    return 0;
}

int controllerInfo(const OpenDisk& d, dk_cinfo* info) {
    std::memset(info, 0, sizeof *info);
    fieldCopy(info->dki_cname, sizeof info->dki_cname, d.disk.hostDriver);
    fieldCopy(info->dki_dname, sizeof info->dki_dname, d.disk.driver);
    info->dki_ctype = d.disk.scsi ? DKC_SCSI_CCS : DKC_UNKNOWN;
    info->dki_cnum = static_cast<ushort_t>(d.disk.controller);
    info->dki_unit = d.disk.instance;
    info->dki_partition = static_cast<ushort_t>(d.slice);
    unsigned long long kb = sysfsNumber(d.disk.sysfsDir + "/queue/max_sectors_kb");
    info->dki_maxtransfer = static_cast<ushort_t>(std::min<unsigned long long>(0xFFFF, kb * 2));
    return 0;
}

}  // namespace

int dkioIoctl(const OpenDisk& d, int request, void* arg) {
    if (request != DKIOCGGEOM && request != DKIOCGVTOC && request != DKIOCINFO) return fail(ENOTTY);
    if (arg == nullptr) return fail(EFAULT);
    switch (request) {
    case DKIOCGGEOM:
        if (d.disk.genericOnly) return fail(ENOTTY);
        *static_cast<dk_geom*>(arg) = geometryOf(d);
        return 0;
    case DKIOCGVTOC:
        return tableOfContents(d, static_cast<vtoc*>(arg));
    default:
        return controllerInfo(d, static_cast<dk_cinfo*>(arg));
    }
}

}  // namespace sol::native
