#include "devices/DeviceNames.h"

#include <cstring>

#include "devices/DeviceDirectory.h"
#include "sol/unistd.h"

namespace devices {

bool isWholeDiskEntry(const std::string& name) {
    return name.size() > 2 && name.compare(name.size() - 2, 2, "s2") == 0;
}

std::string diskDeviceId(const std::string& entryName) {
    return entryName.size() < 2 ? std::string() : entryName.substr(0, entryName.size() - 2);
}

bool isSliceZeroEntry(const char* name) { return std::strstr(name, "s0") != nullptr; }

bool mentionsWholeDiskSlice(const char* name) { return std::strstr(name, "s2") != nullptr; }

std::string partitionDeviceId(const std::string& entryName) {
    auto s = entryName.find('s');
    if (s != std::string::npos) return entryName.substr(0, s);
    if (entryName.compare(0, 8, "emcpower") == 0) {
        return entryName.substr(0, entryName.size() - 1);
    }
    return entryName;
}

std::string labelModel(const char* label, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (label[i] == ' ' || label[i] == '\0') return std::string(label, i);
    }
    return " ";
}

std::optional<std::string> physicalPath(const std::string& linkTarget) {
    auto at = linkTarget.find("/devices/");
    if (at == std::string::npos) return std::nullopt;
    std::string rest = linkTarget.substr(at + std::strlen("/devices"));
    auto colon = rest.rfind(':');
    return colon == std::string::npos ? rest : rest.substr(0, colon);
}

const char* devicesPart(const std::string& linkTarget) { return std::strstr(linkTarget.c_str(), "/devices/"); }

std::optional<std::string> driverName(const std::string& linkTarget) {
    const char* target = linkTarget.c_str();
    if (std::strchr(target, '/') == nullptr) return std::nullopt;
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
    constexpr size_t kDriverNameMax = 255;
    std::string driver;
    for (size_t i = 0; i < componentLength && component[i] != '@'; ++i) {
        char c = component[i];
        if (c >= 'a' && c <= 'z' && driver.size() < kDriverNameMax) driver += c;
    }
    return driver;
}

std::optional<std::string> readLinkTarget(const std::string& path, size_t limit) {
    std::string target(limit, '\0');
    ssize_t length = sol::readlink(path.c_str(), &target[0], limit);
    if (length < 0) return std::nullopt;
    target.resize(static_cast<size_t>(length));
    return target;
}

bool acceptableName(const std::string& name, size_t suffix) {
    return name.size() + suffix < kMaxEntryName && name.find('/') == std::string::npos;
}

}  // namespace devices
