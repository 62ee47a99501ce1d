#include "linux/LinuxDisks.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "linux/LinuxDiskLabel.h"
#include "linux/LinuxFiles.h"

namespace linuxhost {

namespace naming {

namespace {

bool allDigits(const std::string& s, size_t from, size_t to) {
    if (from >= to || to - from > 18) return false;
    for (size_t i = from; i < to; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

unsigned long number(const std::string& s, size_t from, size_t to) { return std::stoul(s.substr(from, to - from)); }

// Letters as the kernel writes disk units: bijective base 26.
std::optional<unsigned long> lettersUnit(const std::string& s, size_t from) {
    if (from >= s.size() || s.size() - from > 6) return std::nullopt;
    unsigned long value = 0;
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] < 'a' || s[i] > 'z') return std::nullopt;
        value = value * 26 + static_cast<unsigned long>(s[i] - 'a' + 1);
    }
    return value - 1;
}

// The Linux disk prefixes whose units are letters.
const char* const kLetterPrefixes[] = {"xvd", "sd", "vd", "hd"};

}  // namespace

std::optional<DiskName> parseDiskName(const std::string& name) {
    if (name.size() < 4 || name[0] != 'c') return std::nullopt;
    size_t at = 1, end = at;
    while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
    if (!allDigits(name, at, end)) return std::nullopt;
    DiskName parts;
    parts.controller = number(name, at, end);
    if (end < name.size() && name[end] == 't') {
        at = end + 1;
        end = at;
        while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
        if (!allDigits(name, at, end)) return std::nullopt;
        parts.target = number(name, at, end);
    }
    if (end >= name.size() || name[end] != 'd' || !allDigits(name, end + 1, name.size())) return std::nullopt;
    parts.unit = number(name, end + 1, name.size());
    if (diskName(parts) != name) return std::nullopt;  // one spelling per disk (no leading zeros)
    return parts;
}

std::string diskName(const DiskName& parts) {
    std::string name = "c" + std::to_string(parts.controller);
    if (parts.target) name += "t" + std::to_string(*parts.target);
    return name + "d" + std::to_string(parts.unit);
}

std::optional<std::pair<std::string, int>> parseEntryName(const std::string& entry) {
    if (entry.size() < 3 || entry[entry.size() - 2] != 's') return std::nullopt;
    char slice = entry.back();
    if (slice < '0' || slice > '7') return std::nullopt;
    return std::make_pair(entry.substr(0, entry.size() - 2), slice - '0');
}

std::optional<ScsiAddress> parseScsiAddress(const std::string& text) {
    unsigned long values[4];
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        size_t end = i < 3 ? text.find(':', at) : text.size();
        if (end == std::string::npos || !allDigits(text, at, end)) return std::nullopt;
        values[i] = number(text, at, end);
        at = end + 1;
    }
    return ScsiAddress{values[0], values[1], values[2], values[3]};
}

std::optional<std::pair<std::string, unsigned long>> parseLinuxDiskName(const std::string& name) {
    for (const char* prefix : kLetterPrefixes) {
        size_t n = std::strlen(prefix);
        if (name.compare(0, n, prefix) == 0) {
            if (auto unit = lettersUnit(name, n)) return std::make_pair(std::string(prefix), *unit);
        }
    }
    size_t letters = 0;
    while (letters < name.size() && name[letters] >= 'a' && name[letters] <= 'z') ++letters;
    if (letters == 0 || !allDigits(name, letters, name.size())) return std::nullopt;
    if (name[letters] == '0' && letters + 1 < name.size()) return std::nullopt;
    return std::make_pair(name.substr(0, letters), number(name, letters, name.size()));
}

std::string linuxDiskName(const std::string& prefix, unsigned long unit, bool letters) {
    if (!letters) return prefix + std::to_string(unit);
    std::string suffix;
    for (unsigned long n = unit + 1; n > 0; n = (n - 1) / 26) suffix.insert(suffix.begin(), static_cast<char>('a' + (n - 1) % 26));
    return prefix + suffix;
}

std::optional<std::pair<unsigned long, unsigned long>> parseNvmeName(const std::string& name) {
    if (name.compare(0, 4, "nvme") != 0) return std::nullopt;
    size_t n = name.find('n', 4);
    if (n == std::string::npos || !allDigits(name, 4, n) || !allDigits(name, n + 1, name.size())) return std::nullopt;
    return std::make_pair(number(name, 4, n), number(name, n + 1, name.size()));
}

std::optional<unsigned long long> parseNumber(const std::string& text) {
    if (!allDigits(text, 0, text.size())) return std::nullopt;
    return std::stoull(text);
}

}  // namespace naming

namespace {

using naming::parseNumber;

const std::string kSysBlock = "/sys/block/";
const std::string kSysClassBlock = "/sys/class/block/";
const std::string kScsiHosts = "/sys/class/scsi_host";
const std::string kScsiGeneric = "/sys/class/scsi_generic/";
const std::string kSysDevices = "/sys/devices";

// The controllers of the kinds without a SCSI host, from the first number above the hosts.
const char* const kOtherKinds[] = {"vd", "xvd", "hd", "mmcblk"};
constexpr unsigned kOtherKindCount = sizeof kOtherKinds / sizeof kOtherKinds[0];

std::vector<std::string> listDirectory(const std::string& path) {
    std::vector<std::string> names;
    std::unique_ptr<::DIR, int (*)(::DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir) return names;
    while (struct ::dirent* e = ::readdir(dir.get())) {
        if (e->d_name[0] != '.') names.emplace_back(e->d_name);
    }
    return names;
}

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) == nullptr ? std::string() : std::string(resolved);
}

bool exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::string baseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }
std::string dirName(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lx", value);
    return text;
}

// The node path of a device under /sys/devices: what the "/devices" link shows.
std::string underDevices(const std::string& sysPath) {
    if (sysPath.compare(0, kSysDevices.size(), kSysDevices) == 0) return sysPath.substr(kSysDevices.size());
    return sysPath;
}

// The Linux device number "M:m" of a sysfs device directory.
bool readDeviceNumber(const std::string& dir, LiveDisk& disk) {
    unsigned maj = 0, min = 0;
    if (std::sscanf(firstLine(dir + "/dev").c_str(), "%u:%u", &maj, &min) != 2) return false;
    disk.linuxMajor = maj;
    disk.linuxMinor = min;
    return true;
}

// The names HOSTPROBE_EXTRA_DISKS lists (separated by commas or blanks), and their prefixes in
// the order they first appear.
struct ExtraDisks {
    std::vector<std::string> names, prefixes;
    bool listed(const std::string& name) const { return std::find(names.begin(), names.end(), name) != names.end(); }
    long prefixIndex(const std::string& prefix) const {
        auto it = std::find(prefixes.begin(), prefixes.end(), prefix);
        return it == prefixes.end() ? -1 : it - prefixes.begin();
    }
};

ExtraDisks extraDisks() {
    ExtraDisks extra;
    const char* value = std::getenv("HOSTPROBE_EXTRA_DISKS");
    std::string list = value == nullptr ? "" : value;
    for (size_t at = 0; at < list.size();) {
        size_t end = list.find_first_of(", \t", at);
        if (end == std::string::npos) end = list.size();
        std::string name = list.substr(at, end - at);
        auto parsed = naming::parseLinuxDiskName(name);
        if (parsed && !extra.listed(name)) {
            extra.names.push_back(name);
            if (extra.prefixIndex(parsed->first) < 0) extra.prefixes.push_back(parsed->first);
        }
        at = end + 1;
    }
    return extra;
}

// What a description needs from the whole host: the first controller number above the SCSI
// hosts, and the extra disks.
struct HostLayout {
    unsigned firstOther = 0;
    ExtraDisks extra;
    unsigned nvmeBase() const { return firstOther + kOtherKindCount + static_cast<unsigned>(extra.prefixes.size()); }
};

HostLayout hostLayout() {
    HostLayout layout;
    for (const std::string& host : listDirectory(kScsiHosts)) {
        if (host.compare(0, 4, "host") != 0) continue;
        if (auto n = parseNumber(host.substr(4))) layout.firstOther = std::max<unsigned>(layout.firstOther, static_cast<unsigned>(*n) + 1);
    }
    layout.extra = extraDisks();
    return layout;
}

// A SCSI LUN: name, controller and node from its address and its device directory.
void describeScsi(const naming::ScsiAddress& address, const std::string& deviceDir, LiveDisk& disk) {
    naming::DiskName name;
    name.controller = address.host;
    name.target = address.target + (address.channel << 16);
    name.unit = address.lun;
    disk.solarisName = naming::diskName(name);
    disk.controller = static_cast<unsigned>(address.host);
    disk.hostDriver = firstLine(kScsiHosts + "/host" + std::to_string(address.host) + "/proc_name");
    disk.physicalPath = underDevices(dirName(dirName(deviceDir))) + "/" + disk.driver + "@" + hex(*name.target) + "," +
                        hex(address.lun);
    disk.scsi = true;
}

std::optional<LiveDisk> describeBlock(const std::string& name, const HostLayout& layout) {
    LiveDisk disk;
    disk.linuxName = name;
    disk.sysfsDir = kSysClassBlock + name;
    if (!exists(disk.sysfsDir + "/dev") || exists(disk.sysfsDir + "/partition")) return std::nullopt;
    if (firstLine(disk.sysfsDir + "/hidden") == "1") return std::nullopt;  // a path of a multipath namespace
    if (!readDeviceNumber(disk.sysfsDir, disk)) return std::nullopt;
    std::string deviceDir = realPath(disk.sysfsDir + "/device");
    auto unit = naming::parseLinuxDiskName(name);

    if (auto address = deviceDir.empty() ? std::nullopt : naming::parseScsiAddress(baseName(deviceDir))) {
        if (!unit) return std::nullopt;
        disk.driver = unit->first;
        disk.instance = static_cast<unsigned>(unit->second);
        describeScsi(*address, deviceDir, disk);
        return disk;
    }
    if (auto nvme = naming::parseNvmeName(name)) {
        disk.driver = "nvme";
        disk.instance = static_cast<unsigned>(nvme->first * 1024 + nvme->second);
        disk.controller = layout.nvmeBase() + static_cast<unsigned>(nvme->first);
        disk.solarisName = naming::diskName({disk.controller, nvme->second, 0});
        disk.hostDriver = "nvme";
        disk.physicalPath = underDevices(deviceDir) + "/nvme@" + hex(nvme->second) + ",0";
        return disk;
    }
    if (!unit) return std::nullopt;
    long extra = layout.extra.listed(name) ? layout.extra.prefixIndex(unit->first) : -1;
    long kind = std::find(std::begin(kOtherKinds), std::end(kOtherKinds), unit->first) - std::begin(kOtherKinds);
    if (extra >= 0) {
        disk.controller = layout.firstOther + kOtherKindCount + static_cast<unsigned>(extra);
    } else if (kind < static_cast<long>(kOtherKindCount)) {
        disk.controller = layout.firstOther + static_cast<unsigned>(kind);
    } else {
        return std::nullopt;  // not a disk on a Solaris host: RAM, loop, device-mapper, md, ...
    }
    disk.driver = unit->first;
    disk.instance = static_cast<unsigned>(unit->second);
    disk.solarisName = naming::diskName({disk.controller, std::nullopt, unit->second});
    std::string parent = deviceDir.empty() ? dirName(realPath(disk.sysfsDir)) : deviceDir;
    std::string driverLink = realPath(disk.sysfsDir + "/device/driver");
    disk.hostDriver = driverLink.empty() ? unit->first : baseName(driverLink);
    disk.physicalPath = underDevices(parent) + "/" + disk.driver + "@" + hex(unit->second);
    return disk;
}

// A direct-access LUN that sg serves alone.
std::optional<LiveDisk> describeGeneric(const std::string& name) {
    LiveDisk disk;
    disk.linuxName = name;
    disk.sysfsDir = kScsiGeneric + name;
    std::string deviceDir = realPath(disk.sysfsDir + "/device");
    auto address = deviceDir.empty() ? std::nullopt : naming::parseScsiAddress(baseName(deviceDir));
    auto unit = naming::parseLinuxDiskName(name);
    if (!address || !unit || unit->first != "sg" || firstLine(deviceDir + "/type") != "0") return std::nullopt;
    if (!listDirectory(deviceDir + "/block").empty()) return std::nullopt;  // a disk driver serves it
    if (!readDeviceNumber(disk.sysfsDir, disk)) return std::nullopt;
    disk.driver = "sgen";
    disk.instance = static_cast<unsigned>(unit->second);
    disk.genericOnly = true;
    describeScsi(*address, deviceDir, disk);
    return disk;
}

// The only entry of a directory, or "".
std::string onlyEntry(const std::string& dir) {
    auto names = listDirectory(dir);
    return names.size() == 1 ? names.front() : std::string();
}

std::optional<LiveDisk> describeLinuxName(const std::string& name, const HostLayout& layout) {
    if (name.compare(0, 2, "sg") == 0 && exists(kScsiGeneric + name)) return describeGeneric(name);
    return describeBlock(name, layout);
}

// The Linux name of a partition of `disk` (sda3, nvme0n1p3, loop3p3) when the kernel has it.
std::string partitionName(const std::string& disk, unsigned number) {
    bool digit = !disk.empty() && disk.back() >= '0' && disk.back() <= '9';
    std::string name = disk + (digit ? "p" : "") + std::to_string(number);
    return parseNumber(firstLine(kSysClassBlock + name + "/partition")) == number ? name : std::string();
}

}  // namespace

std::vector<LiveDisk> liveDisks() {
    HostLayout layout = hostLayout();
    std::vector<LiveDisk> disks;
    for (const std::string& name : listDirectory(kSysBlock)) {
        if (auto disk = describeBlock(name, layout)) disks.push_back(std::move(*disk));
    }
    for (const std::string& name : listDirectory(kScsiGeneric)) {
        if (auto disk = describeGeneric(name)) disks.push_back(std::move(*disk));
    }
    std::sort(disks.begin(), disks.end(), [](const LiveDisk& a, const LiveDisk& b) { return a.solarisName < b.solarisName; });
    return disks;
}

std::optional<LiveDisk> liveDiskNamed(const std::string& name) {
    auto parts = naming::parseDiskName(name);
    if (!parts) return std::nullopt;
    HostLayout layout = hostLayout();
    std::string linuxName;
    if (parts->controller < layout.firstOther) {
        if (!parts->target) return std::nullopt;
        std::string address = std::to_string(parts->controller) + ":" + std::to_string(*parts->target >> 16) + ":" +
                              std::to_string(*parts->target & 0xFFFF) + ":" + std::to_string(parts->unit);
        std::string device = "/sys/class/scsi_device/" + address + "/device";
        linuxName = onlyEntry(device + "/block");
        if (linuxName.empty()) linuxName = onlyEntry(device + "/scsi_generic");
    } else {
        unsigned long kind = parts->controller - layout.firstOther;
        if (kind < kOtherKindCount) {
            std::string prefix = kOtherKinds[kind];
            linuxName = naming::linuxDiskName(prefix, parts->unit, prefix != "mmcblk");
        } else if (kind - kOtherKindCount < layout.extra.prefixes.size()) {
            const std::string& prefix = layout.extra.prefixes[kind - kOtherKindCount];
            for (bool letters : {false, true}) {
                std::string candidate = naming::linuxDiskName(prefix, parts->unit, letters);
                if (layout.extra.listed(candidate)) linuxName = candidate;
            }
        } else if (parts->target) {
            linuxName = "nvme" + std::to_string(parts->controller - layout.nvmeBase()) + "n" + std::to_string(*parts->target);
        }
    }
    if (linuxName.empty()) return std::nullopt;
    auto disk = describeLinuxName(linuxName, layout);
    if (!disk || disk->solarisName != name) return std::nullopt;
    return disk;
}

std::string linuxNodeOfSlice(const LiveDisk& disk, int slice) {
    if (slice == 2) return "/dev/" + disk.linuxName;
    if (disk.genericOnly) return "";
    unsigned number = partitionOfSlice(slice);
    std::string part = number == 0 ? std::string() : partitionName(disk.linuxName, number);
    return part.empty() ? std::string() : "/dev/" + part;
}

sol::dev_t solarisDevice(const LiveDisk& disk, int slice) {
    return sol::makedev(disk.linuxMajor << 20 | (disk.linuxMinor & 0xFFFFF),
                        disk.instance * 8 + static_cast<unsigned>(slice));
}

std::optional<std::pair<unsigned, unsigned>> linuxDeviceOfSolaris(sol::dev_t dev) {
    sol::major_t packed = sol::major(dev);
    if (packed < (1u << 20)) return std::nullopt;
    unsigned linuxMajor = packed >> 20, linuxMinor = packed & 0xFFFFF;
    int slice = static_cast<int>(sol::minor(dev) & 7);
    std::string diskDir = realPath("/sys/dev/block/" + std::to_string(linuxMajor) + ":" + std::to_string(linuxMinor));
    if (diskDir.empty() || exists(diskDir + "/partition")) return std::nullopt;
    if (slice == 2) return std::make_pair(linuxMajor, linuxMinor);
    unsigned number = partitionOfSlice(slice);
    std::string part = number == 0 ? std::string() : partitionName(baseName(diskDir), number);
    LiveDisk partition;
    if (part.empty() || !readDeviceNumber(kSysClassBlock + part, partition)) return std::nullopt;
    return std::make_pair(partition.linuxMajor, partition.linuxMinor);
}

std::string devicesNode(const LiveDisk& disk, int slice, bool raw) {
    return "/devices" + disk.physicalPath + ":" + static_cast<char>('a' + slice) + (raw ? ",raw" : "");
}

}  // namespace linuxhost
