// ustat on the simulated host: a device is mounted when a mount table entry's special is a
// "/dev/dsk" path whose device node has that number.
#include <cerrno>
#include <cstring>
#include <string>

#include "FilesBackends.h"
#include "UstatBackends.h"
#include "sim/SimHost.h"

namespace sol::simulated {

int ustat(dev_t dev, struct ustat* buf) {
    auto host = sim::host();
    const sim::json& section = host ? host->section("mnttab") : sim::json();
    if (section.is_object() && section.contains("entries") && section["entries"].is_array()) {
        for (const sim::json& entry : section["entries"]) {
            std::string special = sim::text(entry, "special");
            if (special.compare(0, 9, "/dev/dsk/") != 0) continue;
            struct stat node;
            if (sol::simulated::stat(special.c_str(), &node) != 0 || node.st_rdev != dev) continue;
            if (buf != nullptr) {
                const sim::json& v = entry.contains("statvfs") ? entry["statvfs"] : sim::json();
                std::memset(buf, 0, sizeof *buf);
                buf->f_tfree = static_cast<daddr_t>(sim::number<uint64_t>(v, "bfree") *
                                                    sim::number<uint64_t>(v, "frsize") / 512);
                buf->f_tinode = sim::number<uint64_t>(v, "ffree");
            }
            return 0;
        }
    }
    errno = EINVAL;
    return -1;
}

}  // namespace sol::simulated
