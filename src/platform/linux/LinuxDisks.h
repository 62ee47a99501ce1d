// The Solaris device namespace of the live Linux host: which Linux devices are disks, the
// Solaris name, driver instance and "/devices" node of each, and the way back from a name.
//
// Input: /sys (block devices, SCSI hosts and devices, sg nodes) and HOSTPROBE_EXTRA_DISKS.
// Output: one LiveDisk per disk. Names: a SCSI LUN is c<host>t<target>d<lun> (a channel C > 0
// adds C * 65536 to the target), an NVMe namespace c<controller>t<namespace>d0, every other
// disk c<controller>d<unit>, its unit the number or letters of its Linux name (vdc: 2). SCSI
// controllers keep their host numbers; the other kinds take controllers above the highest
// host: virtio, Xen, IDE and MMC disks one each in that order, NVMe controllers one each,
// then each prefix of HOSTPROBE_EXTRA_DISKS. RAM, zram, loop, device-mapper, md and other
// virtual block devices are left out unless HOSTPROBE_EXTRA_DISKS names them. A direct-access
// LUN that only sg serves (an array's access LUN) has the whole-disk slice alone.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sol/mkdev.h"

namespace linuxhost {

struct LiveDisk {
    std::string linuxName;     // sda, vda, nvme0n1, loop3; sg2 for a LUN with only an sg node
    std::string sysfsDir;      // /sys/class/block/<name> or /sys/class/scsi_generic/<name>
    std::string solarisName;   // c0t1d0, c1d0
    std::string driver;        // the node's driver name: sd, sr, vd, nvme, sgen, ...
    unsigned instance = 0;     // its instance: the kernel statistics name driver + instance
    unsigned controller = 0;   // the c number
    std::string hostDriver;    // the controller's Linux driver (virtio_scsi, nvme, loop, ...)
    std::string physicalPath;  // the node under "/devices", without its minor name
    bool scsi = false;         // answers SCSI commands
    bool genericOnly = false;  // only an sg node: no block device, no slices but the whole disk
    unsigned linuxMajor = 0, linuxMinor = 0;  // the Linux device number of the node
};

// Every disk of the host, sorted by Solaris name.
std::vector<LiveDisk> liveDisks();

// The disk whose Solaris name is `name` (c0t1d0), found without listing every disk.
std::optional<LiveDisk> liveDiskNamed(const std::string& name);

// The Linux node path of a slice of a disk (/dev/sda for the whole disk, /dev/sda3), or "" when
// the kernel has no device for that slice.
std::string linuxNodeOfSlice(const LiveDisk& disk, int slice);

// The Solaris device number of a slice's node: its minor is instance * 8 + slice, as the disk
// map expects, and its major carries the Linux number of the disk (major << 20 | minor), so
// the mount check can find the Linux partition again.
sol::dev_t solarisDevice(const LiveDisk& disk, int slice);
// The Linux device number (major, minor) of the slice that `dev` names, if it names one.
std::optional<std::pair<unsigned, unsigned>> linuxDeviceOfSolaris(sol::dev_t dev);

// The "/devices" path of a slice's node (block, or character with ",raw").
std::string devicesNode(const LiveDisk& disk, int slice, bool raw);

// Pure naming rules, shared with the tests and the fuzz target.
namespace naming {
// A Solaris disk name taken apart: c<controller>[t<target>]d<unit>.
struct DiskName {
    unsigned long controller = 0;
    std::optional<unsigned long> target;
    unsigned long unit = 0;
};
std::optional<DiskName> parseDiskName(const std::string& name);
std::string diskName(const DiskName& parts);
// An entry name taken apart: the disk name and the slice (s0 to s7).
std::optional<std::pair<std::string, int>> parseEntryName(const std::string& entry);
// A SCSI address "H:C:T:L".
struct ScsiAddress {
    unsigned long host = 0, channel = 0, target = 0, lun = 0;
};
std::optional<ScsiAddress> parseScsiAddress(const std::string& text);
// A Linux disk name: its letter prefix and the unit its suffix encodes (letters as the kernel
// writes them, a for 0, z for 25, aa for 26; or a decimal number). None for other forms.
std::optional<std::pair<std::string, unsigned long>> parseLinuxDiskName(const std::string& name);
std::string linuxDiskName(const std::string& prefix, unsigned long unit, bool letters);
// The NVMe form nvme<controller>n<namespace>.
std::optional<std::pair<unsigned long, unsigned long>> parseNvmeName(const std::string& name);
// A decimal sysfs number; none for anything else.
std::optional<unsigned long long> parseNumber(const std::string& text);
}  // namespace naming

}  // namespace linuxhost
