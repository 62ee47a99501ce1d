#include "disk/DiskDeviceNames.h"

#include <cstring>

namespace disk {

bool isWholeDiskEntry(const std::string& name) {
    return name.size() > 2 && name.compare(name.size() - 2, 2, "s2") == 0;
}

std::string diskDeviceId(const std::string& entryName) {
    return entryName.size() < 2 ? std::string() : entryName.substr(0, entryName.size() - 2);
}

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

bool acceptableName(const std::string& name, size_t suffix) {
    return name.size() + suffix < kMaxEntryName && name.find('/') == std::string::npos;
}

}  // namespace disk
