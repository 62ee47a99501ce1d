#include "devices/RawDeviceBuses.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"

namespace devices {

namespace {

// The link target of "/dev/rdsk/<name>"; none when the entry is no link or its path too long
// for any entry to exist.
std::optional<std::string> rawEntryLink(const char* name) {
    char path[1024];
    int n = std::snprintf(path, sizeof path, "%s/%s", kRawDeviceDirectory, name);
    if (n < 0 || static_cast<size_t>(n) >= sizeof path) return std::nullopt;
    return readLinkTarget(path, 1023);
}

}  // namespace

unsigned int parseScsiBusNumber(const char* text, bool& found) {
    if (text[0] != 'c' || text[1] < '0' || text[1] > '9') return 0;
    unsigned int bus = 0;
    const char* p = text + 1;
    for (; *p >= '0' && *p <= '9'; ++p) bus = bus * 10 + static_cast<unsigned int>(*p - '0');
    if (*p != 't') return 0;
    found = true;
    return bus;
}

unsigned int RawDeviceBuses::of(const char* physicalPath, bool& found) {
    if (!read_) {
        read_ = true;
        DeviceDirectory directory(kRawDeviceDirectory);
        while (const sol::dirent* entry = directory.next()) {
            if (entry->d_name[0] != 'c') continue;
            bool named = false;
            unsigned int bus = parseScsiBusNumber(entry->d_name, named);
            if (!named) continue;
            auto link = rawEntryLink(entry->d_name);
            const char* linked = link ? devicesPart(*link) : nullptr;
            if (linked == nullptr) continue;
            // The entry derives from every prefix of its target that a ':' follows; the first
            // entry of each keeps it.
            for (const char* colon = std::strchr(linked, ':'); colon != nullptr; colon = std::strchr(colon + 1, ':')) {
                buses_.emplace(std::string(linked, static_cast<size_t>(colon - linked)), bus);
            }
        }
    }
    auto it = buses_.find(physicalPath);
    if (it == buses_.end()) return 0;
    found = true;
    return it->second;
}

}  // namespace devices
