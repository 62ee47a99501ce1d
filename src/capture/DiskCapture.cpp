// The device namespace: every "/dev/rdsk" entry grouped into disks, each disk's disk-ioctl
// answers (or their errors), the slices a file system is mounted from, and the SCSI answers of
// its LUN. Devices are opened read-only; only the guarded read-only commands are sent.
#include <cerrno>
#include <algorithm>
#include <map>
#include <optional>

#include "capture/HostCapture.h"
#include "capture/ScsiCommands.h"
#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"
#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/stat.h"
#include "sol/unistd.h"
#include "sol/ustat.h"

namespace capture {

namespace {

// A "/dev/rdsk" entry read as a slice of a disk: "<disk>s<N>" (or "<disk><a-h>") linking to
// "../../devices<node>:<letter>,raw", the letter being the slice's.
struct SliceEntry {
    std::string disk, node;
    int slice = 0;
    bool letters = false;
};

std::optional<SliceEntry> sliceEntry(const std::string& name, const std::string& target) {
    const std::string prefix = "../../devices";
    size_t colon = target.rfind(':');
    if (target.compare(0, prefix.size(), prefix) != 0 || colon == std::string::npos || colon <= prefix.size()) {
        return std::nullopt;
    }
    std::string minor = target.substr(colon + 1);
    if (minor.size() != 5 || minor.compare(1, 4, ",raw") != 0 || minor[0] < 'a' || minor[0] > 'h') return std::nullopt;
    SliceEntry entry;
    entry.node = target.substr(prefix.size(), colon - prefix.size());
    entry.slice = minor[0] - 'a';
    std::string suffix = "s" + std::to_string(entry.slice);
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        entry.disk = name.substr(0, name.size() - suffix.size());
    } else if (name.size() > 1 && name.back() == minor[0]) {
        entry.disk = name.substr(0, name.size() - 1);
        entry.letters = true;
    } else {
        return std::nullopt;
    }
    return entry;
}

struct Disk {
    std::string name, node;
    bool letters = false;
    std::vector<int> slices;
    std::map<int, std::string> entries;  // slice -> "/dev/rdsk" entry name
    sol::dev_t rdev = 0;                 // of the first slice seen
    int firstSlice = -1;
};

std::string sliceEntryName(const Disk& disk, int slice) {
    return disk.letters ? disk.name + static_cast<char>('a' + slice) : disk.name + "s" + std::to_string(slice);
}

json geometryOf(const sol::dk_geom& g) {
    return {{"ncyl", g.dkg_ncyl}, {"acyl", g.dkg_acyl}, {"pcyl", g.dkg_pcyl}, {"nhead", g.dkg_nhead},
            {"nsect", g.dkg_nsect}, {"bcyl", g.dkg_bcyl}, {"intrlv", g.dkg_intrlv}, {"apc", g.dkg_apc},
            {"rpm", g.dkg_rpm}, {"write_reinstruct", g.dkg_write_reinstruct},
            {"read_reinstruct", g.dkg_read_reinstruct}};
}

json tableOf(const sol::vtoc& v) {
    json parts = json::array();
    for (int i = 0; i < SOL(V_NUMPAR); ++i) {
        const sol::partition& p = v.v_part[i];
        parts.push_back({{"tag", p.p_tag}, {"flag", p.p_flag}, {"start", p.p_start}, {"size", p.p_size}});
    }
    return {{"asciilabel", textField(v.v_asciilabel, sizeof v.v_asciilabel)},
            {"volume", textField(v.v_volume, sizeof v.v_volume)}, {"sectorsz", v.v_sectorsz}, {"parts", parts}};
}

json controllerOf(const sol::dk_cinfo& info) {
    return {{"cname", textField(info.dki_cname, sizeof info.dki_cname)},
            {"dname", textField(info.dki_dname, sizeof info.dki_dname)}, {"cnum", info.dki_cnum},
            {"unit", info.dki_unit}, {"maxtransfer", info.dki_maxtransfer}};
}

// The disk ioctls on the open device: each answer, or its errno in "ioctl_errno".
void diskIoctls(int fd, const std::string& path, json& disk, CaptureLog& log) {
    json errors = json::object();
    sol::dk_cinfo info;
    if (sol::ioctl(fd, SOL(DKIOCINFO), &info) == 0) {
        disk["dkinfo"] = controllerOf(info);
    } else {
        errors["dkinfo"] = errno;
        log.failedErrno("DKIOCINFO", path, errno);
    }
    sol::dk_geom geometry;
    if (sol::ioctl(fd, SOL(DKIOCGGEOM), &geometry) == 0) {
        disk["geometry"] = geometryOf(geometry);
    } else {
        errors["geometry"] = errno;
        log.failedErrno("DKIOCGGEOM", path, errno);
    }
    sol::vtoc table;
    if (sol::ioctl(fd, SOL(DKIOCGVTOC), &table) == 0) {
        disk["vtoc"] = tableOf(table);
    } else {
        errors["vtoc"] = errno;
        log.failedErrno("DKIOCGVTOC", path, errno);
    }
    if (!errors.empty()) disk["ioctl_errno"] = errors;
}

// The SCSI answers of the LUN behind the open device, in the simulated target's terms; null
// when the device takes no pass-through at all.
json scsiTarget(int fd, const std::string& path, const CaptureOptions& options, CaptureLog& log) {
    json scsi = json::object(), fails = json::array(), hangs = json::array(), sense = json::object();
    for (const ScsiCommand& command : captureCommands()) {
        ScsiAnswer answer = sendReadOnly(fd, command, options.timeoutSeconds);
        std::string name = command.name;
        if (answer.result != 0) {
            if (name == "inquiry" && answer.error == ENOTTY) return nullptr;
            if (answer.timedOut) {
                hangs.push_back(name);
                log.failed("USCSICMD " + name, path, "no answer within " + std::to_string(options.timeoutSeconds) + " s");
            } else if (answer.status == 0x02 && !answer.sense.empty()) {
                sense[name] = hexOf(answer.sense.data(), answer.sense.size());
                log.failed("USCSICMD " + name, path, "check condition, sense " + sense[name].get<std::string>());
            } else {
                fails.push_back(name);
                log.failedErrno("USCSICMD " + name, path, answer.error);
            }
            continue;
        }
        recordAnswer(scsi, command.name, answer.data);
    }
    if (!fails.empty()) scsi["fail"] = fails;
    if (!hangs.empty()) scsi["hangs"] = hangs;
    if (!sense.empty()) scsi["sense"] = sense;
    return scsi;
}

}  // namespace

void captureDisks(json& host, CaptureLog& log, const CaptureOptions& options) {
    std::vector<Disk> disks;
    std::map<std::string, size_t> byName;
    json odd = json::array();
    devices::DeviceDirectory directory(devices::kRawDeviceDirectory);
    while (const sol::dirent* entry = directory.next()) {
        std::string name = devices::entryName(*entry);
        if (name == "." || name == "..") continue;
        std::string path = directory.path(name);
        auto target = devices::readLinkTarget(path);
        std::optional<SliceEntry> slice = target ? sliceEntry(name, *target) : std::nullopt;
        struct sol::stat status;
        if (!slice || sol::stat(path.c_str(), &status) != 0) {
            // Not a slice of a disk: kept as the entry it is (a link, or a plain entry).
            json item = {{"dir", "rdsk"}, {"name", name}};
            if (target) item["link"] = *target;
            odd.push_back(std::move(item));
            continue;
        }
        auto found = byName.find(slice->disk);
        if (found == byName.end()) {
            found = byName.emplace(slice->disk, disks.size()).first;
            disks.push_back(Disk{slice->disk, slice->node, slice->letters, {}, {}, status.st_rdev, slice->slice});
        }
        Disk& disk = disks[found->second];
        disk.slices.push_back(slice->slice);
        disk.entries[slice->slice] = name;
    }

    json list = json::array();
    for (const Disk& d : disks) {
        auto driver = devices::driverName("../../devices" + d.node + ":a");
        json disk = {{"name", d.name}, {"node", d.node}, {"driver", driver ? *driver : std::string()},
                     {"instance", (sol::minor(d.rdev) - static_cast<sol::minor_t>(d.firstSlice)) / 8}};
        if (d.letters) disk["naming"] = "letters";
        std::vector<int> sorted(d.slices);
        std::sort(sorted.begin(), sorted.end());
        if (sorted != std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}) disk["slices"] = sorted;

        // The whole-disk slice when there is one, else the first.
        int probe = d.entries.count(2) ? 2 : d.entries.begin()->first;
        std::string path = std::string(devices::kRawDeviceDirectory) + "/" + d.entries.at(probe);
        devices::Device device(sol::open(path.c_str(), SOL(O_RDONLY) | SOL(O_NDELAY)));
        if (!device.valid()) {
            log.failedErrno("open", path, errno);
            disk["access"] = "none";
        } else {
            diskIoctls(device.get(), path, disk, log);
            json scsi = scsiTarget(device.get(), path, options, log);
            if (!scsi.is_null()) disk["scsi"] = scsi;
        }

        // Slices whose block device a mounted file system is on.
        json mounted = json::array();
        for (int s : sorted) {
            std::string block = std::string(devices::kBlockDeviceDirectory) + "/" + sliceEntryName(d, s);
            struct sol::stat status;
            struct sol::ustat fs;
            if (sol::stat(block.c_str(), &status) == 0 && sol::ustat(status.st_rdev, &fs) == 0) mounted.push_back(s);
        }
        if (!mounted.empty()) disk["mounted_slices"] = mounted;
        list.push_back(std::move(disk));
    }
    host["disks"] = list;
    if (!odd.empty()) host["dev_entries"] = odd;
}

}  // namespace capture
