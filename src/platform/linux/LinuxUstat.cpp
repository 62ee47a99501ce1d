// ustat on Linux, where the C library no longer offers it: the mount whose device number
// (from /proc/self/mountinfo) matches, with its free space from statvfs.
#include <sys/statvfs.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "UstatBackends.h"
#include "linux/LinuxDisks.h"
#include "linux/LinuxFiles.h"

namespace sol::native {

namespace {

// A mountinfo path field with its octal escapes (\040 for a blank) decoded.
std::string unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '7') {
            out.push_back(static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8)));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

}  // namespace

int ustat(dev_t dev, struct ustat* buf) {
    // A slice node of the device namespace stands for its Linux partition or disk.
    if (auto linuxDevice = linuxhost::linuxDeviceOfSolaris(dev)) dev = makedev(linuxDevice->first, linuxDevice->second);
    std::istringstream lines(linuxhost::readFile("/proc/self/mountinfo"));
    std::string line;
    while (std::getline(lines, line)) {
        // mount ID, parent ID, major:minor, root, mount point, ...
        std::istringstream fields(line);
        std::string id, parent, numbers, root, mountPoint;
        if (!(fields >> id >> parent >> numbers >> root >> mountPoint)) continue;
        unsigned long maj = 0, min = 0;
        if (std::sscanf(numbers.c_str(), "%lu:%lu", &maj, &min) != 2) continue;
        if (maj != major(dev) || min != minor(dev)) continue;
        struct ::statvfs v;
        if (::statvfs(unescape(mountPoint).c_str(), &v) != 0) continue;
        if (buf != nullptr) {
            std::memset(buf, 0, sizeof *buf);
            buf->f_tfree = static_cast<daddr_t>(static_cast<uint64_t>(v.f_bfree) * v.f_frsize / 512);
            buf->f_tinode = v.f_ffree;
        }
        return 0;
    }
    errno = EINVAL;
    return -1;
}

}  // namespace sol::native
