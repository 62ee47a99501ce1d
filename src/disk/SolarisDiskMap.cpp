#include "disk/SolarisDiskMap.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "sol/dirent.h"
#include "sol/mkdev.h"
#include "sol/stat.h"
#include "sol/unistd.h"

namespace {

const char* const dev_dsk = "/dev/dsk";

constexpr size_t kLinkMax = 1024;     // bytes of a link target read
constexpr size_t kDriverNameMax = 255;

struct DirCloser {
    void operator()(sol::DIR* dir) const { sol::closedir(dir); }
};

}  // namespace

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
    // Every entry is reached by its full path; the process's current directory is left alone.
    std::unique_ptr<sol::DIR, DirCloser> dir(sol::opendir(dev_dsk));
    if (!dir) return;

    while (sol::dirent* entry = sol::readdir(dir.get())) {
        std::string path = std::string(dev_dsk) + "/" + entry->d_name;
        struct sol::stat status;
        if (sol::stat(path.c_str(), &status) != 0) continue;
        // Slice 0 stands for its disk; this also drops "." and "..".
        if (std::strstr(entry->d_name, "s0") == nullptr) continue;
        unsigned long minorNumber = sol::minor(status.st_rdev);
        char driver[kDriverNameMax + 1];
        if (!getDriver(driver, sizeof driver, path.c_str())) continue;
        mapdisk(minorNumber, entry, driver);
    }
}

bool SolarisDiskMap::getDriver(char* driver, size_t size, const char* path) {
    char target[kLinkMax + 1];
    ssize_t length = sol::readlink(path, target, kLinkMax);
    if (length < 0) return false;
    target[length] = '\0';
    if (std::strchr(target, '/') == nullptr) return false;

    // The last non-empty component, e.g. sd@0,0:a of ../../devices/pci@1f,4000/scsi@3/sd@0,0:a.
    const char* component = nullptr;
    size_t componentLength = 0;
    for (const char* p = target; *p != '\0';) {
        const char* end = std::strchr(p, '/');
        size_t n = end == nullptr ? std::strlen(p) : static_cast<size_t>(end - p);
        if (n > 0) {
            component = p;
            componentLength = n;
        }
        if (end == nullptr) break;
        p = end + 1;
    }

    // Its lowercase letters up to the first "@": sd, ssd, and ssd from SUNW,ssd@1,0:a.
    size_t out = 0;
    for (size_t i = 0; i < componentLength && component[i] != '@'; ++i) {
        char c = component[i];
        if (c >= 'a' && c <= 'z' && out + 1 < size) driver[out++] = c;
    }
    driver[out] = '\0';
    return true;
}

void SolarisDiskMap::mapdisk(unsigned long minorNumber, const sol::dirent* entry, const char* driver) {
    // Eight slice minor numbers per driver instance.
    int instance = static_cast<int>(minorNumber >> 3);
    std::string name(entry->d_name);
    std::string deviceId = name.substr(0, name.find('s'));
    std::string sdxName = std::string(driver) + std::to_string(instance);
    sdxNameMap[deviceId] = sdxName;
    deviceIdMap[sdxName] = deviceId;
}
