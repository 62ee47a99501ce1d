#include "sim/SimDevices.h"

#include <mutex>

namespace sim {

namespace {

const char* const kDsk = "/dev/dsk";
const char* const kRdsk = "/dev/rdsk";

std::string sliceLetter(int slice) { return std::string(1, static_cast<char>('a' + slice)); }

std::string nodePath(const std::string& node, int slice, bool block) {
    return "/devices" + node + ":" + sliceLetter(slice) + (block ? "" : ",raw");
}

std::string linkTo(const std::string& nodeFullPath) { return "../.." + nodeFullPath; }

std::string parentOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

std::mutex cwdMutex;
std::string simulatedCwd;

}  // namespace

DeviceNamespace::DeviceNamespace(const Host& host) {
    const json& disks = host.section("disks");
    if (disks.is_array()) {
        // Eight slices a disk, unless it lists its own.
        dsk_.reserve(8 * disks.size());
        rdsk_.reserve(8 * disks.size());
        nodes_.reserve(16 * disks.size());
        for (const json& disk : disks) {
            std::string name = disk.value("name", std::string());
            std::string node = disk.value("node", std::string());
            bool letters = disk.value("naming", std::string()) == "letters";
            sol::major_t maj = driverMajor(disk.value("driver", std::string()));
            auto instance = number<sol::minor_t>(disk, "instance");
            std::string access = disk.value("access", std::string("rw"));
            std::vector<int> slices;
            if (disk.contains("slices") && disk["slices"].is_array()) {
                for (const json& s : disk["slices"]) slices.push_back(s.get<int>());
            } else {
                for (int s = 0; s < 8; ++s) slices.push_back(s);
            }
            for (int slice : slices) {
                std::string entryName = letters ? name + sliceLetter(slice) : name + "s" + std::to_string(slice);
                for (bool block : {true, false}) {
                    std::string path = nodePath(node, slice, block);
                    DeviceNode dn;
                    dn.block = block;
                    dn.disk = &disk;
                    dn.slice = slice;
                    dn.rdev = sol::makedev(maj, instance * 8 + static_cast<sol::minor_t>(slice));
                    dn.access = access;
                    nodes_[path] = dn;
                    (block ? dsk_ : rdsk_).push_back(DirEntry{entryName, linkTo(path), {}, nullptr});
                }
            }
        }
    }

    // A dev_entries node names its disk; the last disk of that name is the one it reaches.
    std::unordered_map<std::string, const json*> disksByName;
    if (disks.is_array()) {
        for (const json& d : disks) disksByName[d.value("name", std::string())] = &d;
    }
    const json& extra = host.section("dev_entries");
    if (extra.is_array()) {
        for (const json& item : extra) {
            bool block = item.value("dir", std::string("dsk")) == "dsk";
            DirEntry entry{item.value("name", std::string()), std::nullopt, {}, nullptr};
            if (item.contains("link") && item["link"].is_string()) entry.link = item["link"].get<std::string>();
            const json& node = item.contains("node") ? item["node"] : json();
            if (node.is_object()) {
                // An entry pointing at an existing disk with an explicit minor number and slice.
                std::string diskName = node.value("disk", std::string());
                auto named = disksByName.find(diskName);
                const json* disk = named == disksByName.end() ? nullptr : named->second;
                int slice = node.value("slice", 0);
                std::string path = entry.link ? absolutePath(*entry.link, block ? kDsk : kRdsk)
                                              : nodePath(disk ? disk->value("node", std::string()) : "/" + diskName,
                                                         slice, block);
                if (!entry.link) entry.link = linkTo(path);
                DeviceNode dn;
                dn.block = block;
                dn.disk = disk;
                dn.slice = slice;
                if (disk) dn.access = disk->value("access", std::string("rw"));
                dn.rdev = sol::makedev(driverMajor(disk ? disk->value("driver", std::string()) : ""),
                                       node.value("minor", 0u));
                nodes_[path] = dn;
            }
            (block ? dsk_ : rdsk_).push_back(entry);
        }
    }

    for (auto* dir : {&dsk_, &rdsk_}) {
        auto& index = dir == &dsk_ ? dskIndex_ : rdskIndex_;
        index.reserve(dir->size());
        for (size_t i = 0; i < dir->size(); ++i) {
            DirEntry& e = (*dir)[i];
            index.emplace(e.name, i);
            if (!e.link) continue;
            e.target = absolutePath(*e.link, dir == &dsk_ ? kDsk : kRdsk);
            e.node = node(e.target);
        }
    }
}

const std::vector<DirEntry>* DeviceNamespace::directory(const std::string& path) const {
    if (path == kDsk) return &dsk_;
    if (path == kRdsk) return &rdsk_;
    return nullptr;
}

const DirEntry* DeviceNamespace::entry(const std::string& path) const {
    const std::vector<DirEntry>* dir = directory(parentOf(path));
    if (dir == nullptr) return nullptr;
    const auto& index = dir == &dsk_ ? dskIndex_ : rdskIndex_;
    auto it = index.find(path.substr(path.rfind('/') + 1));
    return it == index.end() ? nullptr : &(*dir)[it->second];
}

const DeviceNode* DeviceNamespace::node(const std::string& path) const {
    auto it = nodes_.find(path);
    return it == nodes_.end() ? nullptr : &it->second;
}

const DeviceNode* DeviceNamespace::resolve(const std::string& path) const {
    if (const DirEntry* e = entry(path)) return e->node;
    return node(path);
}

sol::major_t DeviceNamespace::driverMajor(const std::string& driver) const {
    static const std::map<std::string, sol::major_t> known = {
        {"sd", 32}, {"ssd", 118}, {"dad", 136}, {"cmdk", 102}, {"emcp", 176}};
    auto k = known.find(driver);
    if (k != known.end()) return k->second;
    auto it = majors_.find(driver);
    if (it != majors_.end()) return it->second;
    sol::major_t next = 300 + static_cast<sol::major_t>(majors_.size());
    majors_[driver] = next;
    return next;
}

std::shared_ptr<const DeviceNamespace> devices(const Host& host) {
    return host.derived<DeviceNamespace>(
        [](const Host& h) { return std::make_shared<const DeviceNamespace>(h); });
}

bool isSimulatedPath(const std::string& p) {
    auto under = [&](const std::string& dir) {
        return p == dir || (p.size() > dir.size() && p.compare(0, dir.size(), dir) == 0 && p[dir.size()] == '/');
    };
    return under(kDsk) || under(kRdsk) || under("/devices");
}

std::string absolutePath(const std::string& path, const std::string& base) {
    std::string full;
    if (!path.empty() && path[0] == '/') {
        full = path;
    } else {
        full = base.empty() ? currentDirectory() : base;
        full += '/';
        full += path;
    }
    // Each component in turn: "" and "." stay out, ".." drops the last one kept.
    std::string out;
    out.reserve(full.size());
    for (size_t at = 0; at <= full.size();) {
        size_t slash = full.find('/', at);
        if (slash == std::string::npos) slash = full.size();
        size_t length = slash - at;
        if (length == 2 && full.compare(at, 2, "..") == 0) {
            if (!out.empty()) out.erase(out.rfind('/'));
        } else if (length > 0 && !(length == 1 && full[at] == '.')) {
            out += '/';
            out.append(full, at, length);
        }
        at = slash + 1;
    }
    return out.empty() ? "/" : out;
}

std::string currentDirectory() {
    std::lock_guard<std::mutex> lock(cwdMutex);
    return simulatedCwd;
}

void setCurrentDirectory(const std::string& path) {
    std::lock_guard<std::mutex> lock(cwdMutex);
    simulatedCwd = path;
}

bool OpenDevice::readWrite() const { return (oflag & 3) != 0; }

}  // namespace sim
