// The mount table of the simulated host, rendered and indexed once per loaded description.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "sim/SimHost.h"
#include "sol/mkdev.h"

namespace sim {

class Mounts {
public:
    explicit Mounts(const Host& host);

    // Whether the section makes every open of the mount table fail.
    bool unreadable() const { return unreadable_; }
    // The "/etc/mnttab" text: one tab-separated line per entry.
    const std::string& text() const { return text_; }
    // The first entry mounted at `mountPoint`, or null.
    const json* atMountPoint(const std::string& mountPoint) const;
    // The first entry whose special is a "/dev/dsk" path reaching device number `dev`, or null.
    const json* ofDevice(sol::dev_t dev) const;
    // True when a disk lists the slice of device number `dev` in its "mounted_slices".
    bool listedMounted(sol::dev_t dev) const { return listedMounted_.count(dev) != 0; }

private:
    bool unreadable_ = false;
    std::string text_;
    std::unordered_map<std::string, const json*> byMountPoint_;
    std::unordered_map<sol::dev_t, const json*> byDevice_;
    std::unordered_set<sol::dev_t> listedMounted_;
};

std::shared_ptr<const Mounts> mounts(const Host& host);

}  // namespace sim
