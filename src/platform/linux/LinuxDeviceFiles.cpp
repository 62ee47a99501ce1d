// The device namespace paths of the live Linux host and the descriptors of opened entries.
#include "linux/LinuxFlags.h"  // first: captures the Linux flag values

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include "linux/LinuxDevices.h"
#include "sol/fcntl.h"

namespace sol::native {

namespace {

const std::string kDsk = "/dev/dsk";
const std::string kRdsk = "/dev/rdsk";
const std::string kDevices = "/devices";

bool under(const std::string& path, const std::string& dir) {
    return path == dir || (path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0 && path[dir.size()] == '/');
}

// The slices of a disk's entries: all eight, or the whole disk alone for an sg-only LUN.
std::vector<int> slicesOf(const linuxhost::LiveDisk& disk) {
    if (disk.genericOnly) return {2};
    return {0, 1, 2, 3, 4, 5, 6, 7};
}

// What a namespace path names: a directory, or a slice node of a disk.
struct Resolved {
    bool directory = false;
    bool isLink = false;  // an entry of /dev/dsk or /dev/rdsk, a link to its node
    OpenDisk node;
};

std::optional<Resolved> resolve(const std::string& path) {
    Resolved r;
    if (path == kDsk || path == kRdsk || path == kDevices) {
        r.directory = true;
        return r;
    }
    for (const std::string* dir : {&kDsk, &kRdsk}) {
        if (!under(path, *dir)) continue;
        auto entry = linuxhost::naming::parseEntryName(path.substr(dir->size() + 1));
        if (!entry) return std::nullopt;
        auto disk = linuxhost::liveDiskNamed(entry->first);
        if (!disk || (disk->genericOnly && entry->second != 2)) return std::nullopt;
        r.isLink = true;
        r.node.disk = std::move(*disk);
        r.node.slice = entry->second;
        r.node.raw = dir == &kRdsk;
        return r;
    }
    // A "/devices" node: found among every disk's nodes (no caller walks these in a loop).
    for (auto& disk : linuxhost::liveDisks()) {
        for (int slice : slicesOf(disk)) {
            for (bool raw : {false, true}) {
                if (linuxhost::devicesNode(disk, slice, raw) != path) continue;
                r.node.disk = std::move(disk);
                r.node.slice = slice;
                r.node.raw = raw;
                return r;
            }
        }
    }
    return std::nullopt;
}

std::optional<Resolved> resolveOrFail(const char* path) {
    auto r = resolve(path);
    if (!r) errno = ENOENT;
    return r;
}

std::string linkText(const OpenDisk& node) { return "../.." + linuxhost::devicesNode(node.disk, node.slice, node.raw); }

// The descriptors of opened entries. The table stands in for what the Solaris kernel keeps
// about an open minor (its disk and slice); entries live from open to close.
std::mutex tableMutex;
std::map<int, OpenDisk> table;

}  // namespace

bool isNamespacePath(const char* path) {
    if (path == nullptr) return false;
    std::string p = path;
    return under(p, kDsk) || under(p, kRdsk) || under(p, kDevices);
}

void nodeStatus(const OpenDisk& disk, struct sol::stat* buf) {
    std::memset(buf, 0, sizeof *buf);
    buf->st_mode = (disk.raw ? S_IFCHR : S_IFBLK) | 0640;
    buf->st_rdev = linuxhost::solarisDevice(disk.disk, disk.slice);
    buf->st_nlink = 1;
}

int namespaceStat(const char* path, struct sol::stat* buf, bool followLink) {
    auto r = resolveOrFail(path);
    if (!r) return -1;
    if (r->directory) {
        std::memset(buf, 0, sizeof *buf);
        buf->st_mode = S_IFDIR | 0755;
        buf->st_nlink = 2;
    } else if (r->isLink && !followLink) {
        std::memset(buf, 0, sizeof *buf);
        buf->st_mode = S_IFLNK | 0777;
        buf->st_nlink = 1;
        buf->st_size = static_cast<int64_t>(linkText(r->node).size());
    } else {
        nodeStatus(r->node, buf);
    }
    return 0;
}

ssize_t namespaceReadlink(const char* path, char* buf, size_t bufsiz) {
    auto r = resolveOrFail(path);
    if (!r) return -1;
    if (!r->isLink) {
        errno = EINVAL;
        return -1;
    }
    std::string text = linkText(r->node);
    size_t n = text.size() < bufsiz ? text.size() : bufsiz;
    std::memcpy(buf, text.data(), n);
    return static_cast<ssize_t>(n);
}

DIR* namespaceOpendir(const char* path) {
    std::string p = path;
    if (p != kDsk && p != kRdsk) {
        auto r = resolve(p);
        errno = r && !r->directory ? ENOTDIR : ENOENT;  // "/devices" is not listed
        return nullptr;
    }
    std::vector<std::string> names = {".", ".."};
    for (const auto& disk : linuxhost::liveDisks()) {
        for (int slice : slicesOf(disk)) names.push_back(disk.solarisName + "s" + std::to_string(slice));
    }
    DIR* dir = new (std::nothrow) NameListDir(std::move(names));
    if (dir == nullptr) errno = ENOMEM;
    return dir;
}

int namespaceOpen(const char* path, int oflag) {
    auto r = resolveOrFail(path);
    if (!r) return -1;
    if (r->directory) {
        errno = EISDIR;
        return -1;
    }
    OpenDisk node = std::move(r->node);
    // The slice's own partition, or the whole disk where the kernel has none for it.
    std::string linuxNode = linuxhost::linuxNodeOfSlice(node.disk, node.slice);
    if (linuxNode.empty()) linuxNode = linuxhost::linuxNodeOfSlice(node.disk, 2);
    int flags = linuxhost::kCloseOnExec;
    if (oflag & (O_NDELAY | O_NONBLOCK)) flags |= linuxhost::kNonBlock;
    int access = (oflag & O_ACCMODE) == O_RDWR     ? linuxhost::kReadWrite
                 : (oflag & O_ACCMODE) == O_WRONLY ? linuxhost::kWriteOnly
                                                   : linuxhost::kReadOnly;
    int fd = ::open(linuxNode.c_str(), flags | access);
    if (fd < 0 && access != linuxhost::kReadOnly) fd = ::open(linuxNode.c_str(), flags | linuxhost::kReadOnly);
    if (fd < 0) {
        // A disk the host will not let us open is still described by sysfs.
        node.openError = errno;
        fd = ::open(node.disk.sysfsDir.c_str(), O_PATH | O_DIRECTORY | linuxhost::kCloseOnExec);
        if (fd < 0) return -1;
    }
    node.fd = fd;
    std::lock_guard<std::mutex> lock(tableMutex);
    table[fd] = std::move(node);
    return fd;
}

std::optional<OpenDisk> openDisk(int fd) {
    std::lock_guard<std::mutex> lock(tableMutex);
    auto it = table.find(fd);
    if (it == table.end()) return std::nullopt;
    return it->second;
}

bool closeDisk(int fd, int* result) {
    std::lock_guard<std::mutex> lock(tableMutex);
    auto it = table.find(fd);
    if (it == table.end()) return false;
    table.erase(it);
    *result = ::close(fd);  // under the lock: the number is not reused before it leaves the table
    return true;
}

}  // namespace sol::native
