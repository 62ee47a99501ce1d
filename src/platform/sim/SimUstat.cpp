// ustat on the simulated host: a device is mounted when a mount table entry's special is a
// "/dev/dsk" path whose device node has that number, or when a disk lists the slice of that
// number in "mounted_slices" (no free space known then: zeros).
#include <cerrno>
#include <cstring>
#include <string>

#include "UstatBackends.h"
#include "sim/SimMounts.h"

namespace sol::simulated {

int ustat(dev_t dev, struct ustat* buf) {
    auto host = sim::host();
    if (const sim::json* entry = host ? sim::mounts(*host)->ofDevice(dev) : nullptr) {
        if (buf != nullptr) {
            const sim::json& v = entry->contains("statvfs") ? (*entry)["statvfs"] : sim::json();
            std::memset(buf, 0, sizeof *buf);
            buf->f_tfree = static_cast<daddr_t>(sim::number<uint64_t>(v, "bfree") *
                                                sim::number<uint64_t>(v, "frsize") / 512);
            buf->f_tinode = sim::number<uint64_t>(v, "ffree");
        }
        return 0;
    }
    if (host && sim::mounts(*host)->listedMounted(dev)) {
        if (buf != nullptr) std::memset(buf, 0, sizeof *buf);
        return 0;
    }
    errno = EINVAL;
    return -1;
}

}  // namespace sol::simulated
