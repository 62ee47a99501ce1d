#include "devices/SolarisDiskMap.h"

#include <string>

#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"
#include "sol/mkdev.h"
#include "sol/stat.h"
#include "sol/unistd.h"

SolarisDiskMap::SolarisDiskMap() { initDiskMap(); }

SolarisDiskMap::~SolarisDiskMap() = default;

std::string SolarisDiskMap::getSDxNameFromMap(const std::string& deviceId) const {
    auto it = sdxNameMap.find(deviceId);
    return it == sdxNameMap.end() ? std::string() : it->second;
}

std::string SolarisDiskMap::getDeviceIdFromMap(const std::string& sdxName) const {
    auto it = deviceIdMap.find(sdxName);
    return it == deviceIdMap.end() ? std::string() : it->second;
}

void SolarisDiskMap::initDiskMap() {
    devices::DeviceDirectory directory(devices::kBlockDeviceDirectory);
    while (const sol::dirent* entry = directory.next()) {
        std::string path = directory.path(entry->d_name);
        struct sol::stat status;
        if (sol::stat(path.c_str(), &status) != 0) continue;
        // Slice 0 stands for its disk; this also drops "." and "..".
        if (!devices::isSliceZeroEntry(entry->d_name)) continue;
        unsigned long minorNumber = sol::minor(status.st_rdev);
        auto target = devices::readLinkTarget(path);
        auto driver = target ? devices::driverName(*target) : std::nullopt;
        if (!driver) continue;
        mapdisk(minorNumber, entry->d_name, *driver);
    }
}

void SolarisDiskMap::mapdisk(unsigned long minorNumber, const std::string& entryName, const std::string& driver) {
    // Eight slice minor numbers per driver instance.
    int instance = static_cast<int>(minorNumber >> 3);
    std::string deviceId = devices::partitionDeviceId(entryName);
    std::string sdxName = driver + std::to_string(instance);
    sdxNameMap[deviceId] = sdxName;
    deviceIdMap[sdxName] = deviceId;
}
