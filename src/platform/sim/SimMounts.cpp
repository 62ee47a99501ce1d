#include "sim/SimMounts.h"

#include "FilesBackends.h"
#include "sim/SimDevices.h"

namespace sim {

namespace {

const char kBlockDevices[] = "/dev/dsk/";

// The device number a "/dev/dsk" special reaches, as stat would give it: a simulated
// directory has none (0), an entry or node its node's number, a path the normalisation took
// out of the simulated directories the real file's. False when stat would fail.
bool deviceOf(const DeviceNamespace& ns, const std::string& special, sol::dev_t& dev) {
    std::string path = absolutePath(special, "/");
    if (!isSimulatedPath(path)) {
        struct sol::stat status;
        if (sol::native::stat(path.c_str(), &status) != 0) return false;
        dev = status.st_rdev;
        return true;
    }
    if (ns.directory(path) != nullptr || path == "/devices") {
        dev = 0;
        return true;
    }
    const DeviceNode* node = ns.resolve(path);
    if (node == nullptr) return false;
    dev = node->rdev;
    return true;
}

}  // namespace

Mounts::Mounts(const Host& host) {
    // Slices a disk declares mounted (a captured host whose mount table names its devices
    // otherwise than "/dev/dsk"): their device numbers, as the namespace gives them.
    const json& disks = host.section("disks");
    if (disks.is_array()) {
        auto ns = devices(host);
        for (const json& disk : disks) {
            auto listed = disk.find("mounted_slices");
            if (listed == disk.end() || !listed->is_array()) continue;
            sol::major_t maj = ns->driverMajor(disk.value("driver", std::string()));
            auto instance = number<sol::minor_t>(disk, "instance");
            for (const json& slice : *listed) {
                listedMounted_.insert(sol::makedev(maj, instance * 8 + slice.get<sol::minor_t>()));
            }
        }
    }
    const json& section = host.section("mnttab");
    if (!section.is_object()) return;
    unreadable_ = section.value("unreadable", false);
    auto list = section.find("entries");
    if (list == section.end() || !list->is_array()) return;

    auto ns = devices(host);
    const char* keys[] = {"special", "mountp", "fstype", "options", "time"};
    for (const json& e : *list) {
        for (int i = 0; i < 5; ++i) {
            std::string field = sim::text(e, keys[i], "-");
            text_ += field.empty() ? "-" : field;
            text_ += i < 4 ? '\t' : '\n';
        }
        byMountPoint_.emplace(sim::text(e, "mountp"), &e);
        std::string special = sim::text(e, "special");
        sol::dev_t dev = 0;
        if (special.compare(0, sizeof kBlockDevices - 1, kBlockDevices) == 0 && deviceOf(*ns, special, dev)) {
            byDevice_.emplace(dev, &e);
        }
    }
}

const json* Mounts::atMountPoint(const std::string& mountPoint) const {
    auto it = byMountPoint_.find(mountPoint);
    return it == byMountPoint_.end() ? nullptr : it->second;
}

const json* Mounts::ofDevice(sol::dev_t dev) const {
    auto it = byDevice_.find(dev);
    return it == byDevice_.end() ? nullptr : it->second;
}

std::shared_ptr<const Mounts> mounts(const Host& host) {
    return host.derived<Mounts>([](const Host& h) { return std::make_shared<const Mounts>(h); });
}

}  // namespace sim
