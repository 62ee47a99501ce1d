// Files, directories and devices of the simulated host. Its own paths ("/etc/mnttab", the
// disk directories and "/devices") come from the description; every other path goes to the
// real file system through the native backend.
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

#include "FilesBackends.h"
#include "IoctlRouting.h"
#include "SysinfoCopy.h"
#include "sim/SimDevices.h"
#include "sim/SimMounts.h"
#include "sol/fcntl.h"

namespace sol::simulated {

namespace {

using sim::json;

constexpr int kFirstDescriptor = 1 << 30;

std::mutex descriptorMutex;
std::map<int, sim::OpenDevice> descriptors;
int nextDescriptor = kFirstDescriptor;

// A path call: the description, the absolute path, and whether the simulated host serves it.
struct Target {
    std::shared_ptr<const sim::Host> host;
    std::string path;
    bool simulated;
    const sim::DeviceNamespace& devices() const { return *sim::devices(*host); }
};

// The target of a path call, or nothing (errno set) when the description is unusable or the
// path is empty: every call then fails as on a host without the file.
std::optional<Target> target(const char* path) {
    auto host = sim::host();
    if (!host || path == nullptr || *path == '\0') {
        errno = ENOENT;
        return std::nullopt;
    }
    std::string cwd = sim::currentDirectory();
    if (path[0] != '/' && cwd.empty()) return Target{host, path, false};  // relative to the real cwd
    std::string full = sim::absolutePath(path, path[0] == '/' ? "/" : cwd);
    bool simulated = sim::isSimulatedPath(full);
    return Target{std::move(host), std::move(full), simulated};
}

void fillNode(struct stat* buf, const sim::DeviceNode& node) {
    std::memset(buf, 0, sizeof *buf);
    buf->st_mode = (node.block ? S_IFBLK : S_IFCHR) | 0640;
    buf->st_rdev = node.rdev;
    buf->st_dev = makedev(1, 0);
    buf->st_nlink = 1;
}

void fillDirectory(struct stat* buf) {
    std::memset(buf, 0, sizeof *buf);
    buf->st_mode = S_IFDIR | 0755;
    buf->st_nlink = 2;
}

bool isDirectory(const sim::DeviceNamespace& ns, const std::string& path) {
    return ns.directory(path) != nullptr || path == "/devices";
}

// A stream over `text` that frees itself at fclose.
FILE* memoryStream(const std::string& text) {
    FILE* fp = ::fmemopen(nullptr, text.size() + 1, "w+");
    if (fp == nullptr) return nullptr;
    std::fwrite(text.data(), 1, text.size(), fp);
    std::rewind(fp);
    return fp;
}

}  // namespace

bool ownsDescriptor(int fd) {
    if (fd < kFirstDescriptor) return false;
    std::lock_guard<std::mutex> lock(descriptorMutex);
    return descriptors.count(fd) != 0;
}

FILE* fopen(const char* path, const char* mode) {
    auto t = target(path);
    if (!t) return nullptr;
    if (t->path != "/etc/mnttab") return native::fopen(t->path.c_str(), mode);
    auto table = sim::mounts(*t->host);
    if (table->unreadable()) {
        errno = EACCES;
        return nullptr;
    }
    return memoryStream(table->text());
}

int statvfs64(const char* path, statvfs64_t* buf) {
    auto host = sim::host();
    const json* e = host && path != nullptr ? sim::mounts(*host)->atMountPoint(path) : nullptr;
    if (e != nullptr) {
        if (e->value("statvfs_fails", false)) {
            errno = EIO;
            return -1;
        }
        const json& v = e->contains("statvfs") ? (*e)["statvfs"] : json();
        std::memset(buf, 0, sizeof *buf);
        buf->f_bsize = sim::number<unsigned long>(v, "bsize");
        buf->f_frsize = sim::number<unsigned long>(v, "frsize");
        buf->f_blocks = sim::number<uint64_t>(v, "blocks");
        buf->f_bfree = sim::number<uint64_t>(v, "bfree");
        buf->f_bavail = sim::number<uint64_t>(v, "bavail");
        buf->f_files = sim::number<uint64_t>(v, "files");
        buf->f_ffree = sim::number<uint64_t>(v, "ffree");
        buf->f_favail = buf->f_ffree;
        fieldCopy(buf->f_basetype, sizeof buf->f_basetype, sim::text(*e, "fstype"));
        buf->f_namemax = 255;
        return 0;
    }
    errno = ENOENT;
    return -1;
}

namespace {

int statCommon(const char* path, struct stat* buf, bool followLinks) {
    auto t = target(path);
    if (!t) return -1;
    if (!t->simulated) {
        return followLinks ? native::stat(t->path.c_str(), buf) : native::lstat(t->path.c_str(), buf);
    }
    const sim::DeviceNamespace* ns = &t->devices();
    if (isDirectory(*ns, t->path)) {
        fillDirectory(buf);
        return 0;
    }
    const sim::DirEntry* e = ns->entry(t->path);
    if (!followLinks && e != nullptr && e->link) {
        std::memset(buf, 0, sizeof *buf);
        buf->st_mode = S_IFLNK | 0777;
        buf->st_size = static_cast<int64_t>(e->link->size());
        buf->st_nlink = 1;
        return 0;
    }
    const sim::DeviceNode* node = ns->resolve(t->path);
    if (node == nullptr) {
        errno = ENOENT;
        return -1;
    }
    fillNode(buf, *node);
    return 0;
}

}  // namespace

int stat(const char* path, struct stat* buf) { return statCommon(path, buf, true); }
int lstat(const char* path, struct stat* buf) { return statCommon(path, buf, false); }

int fstat(int fd, struct stat* buf) {
    std::lock_guard<std::mutex> lock(descriptorMutex);
    auto it = descriptors.find(fd);
    if (it == descriptors.end()) {
        errno = EBADF;
        return -1;
    }
    sim::DeviceNode node;
    node.block = it->second.path.size() < 4 || it->second.path.compare(it->second.path.size() - 4, 4, ",raw") != 0;
    node.rdev = it->second.rdev;
    fillNode(buf, node);
    return 0;
}

DIR* opendir(const char* path) {
    auto t = target(path);
    if (!t) return nullptr;
    if (!t->simulated) return native::opendir(t->path.c_str());
    const sim::DeviceNamespace* ns = &t->devices();
    const std::vector<sim::DirEntry>* dir = ns->directory(t->path);
    if (dir == nullptr) {
        errno = ns->resolve(t->path) != nullptr ? ENOTDIR : ENOENT;
        return nullptr;
    }
    std::vector<std::string> names = {".", ".."};
    for (const auto& e : *dir) names.push_back(e.name);
    return new NameListDir(std::move(names));
}

int open(const char* path, int oflag) {
    auto t = target(path);
    if (!t) return -1;
    if (!t->simulated) return native::open(t->path.c_str(), oflag);
    const sim::DeviceNamespace* ns = &t->devices();
    const sim::DeviceNode* node = ns->resolve(t->path);
    if (node == nullptr) {
        errno = isDirectory(*ns, t->path) ? EISDIR : ENOENT;
        return -1;
    }
    const std::string& access = node->access;
    if (access == "none") {
        errno = ENXIO;
        return -1;
    }
    if (access == "ro" && (oflag & O_ACCMODE) != O_RDONLY) {
        errno = EACCES;
        return -1;
    }
    sim::OpenDevice dev;
    dev.host = t->host;
    dev.disk = node->disk;
    dev.slice = node->slice;
    dev.rdev = node->rdev;
    dev.oflag = oflag;
    if (const sim::DirEntry* e = ns->entry(t->path)) {
        dev.path = e->target;
    } else {
        dev.path = t->path;
    }
    std::lock_guard<std::mutex> lock(descriptorMutex);
    int fd = nextDescriptor++;
    descriptors[fd] = std::move(dev);
    return fd;
}

int close(int fd) {
    std::lock_guard<std::mutex> lock(descriptorMutex);
    if (descriptors.erase(fd) == 0) {
        errno = EBADF;
        return -1;
    }
    return 0;
}

ssize_t readlink(const char* path, char* buf, size_t bufsiz) {
    auto t = target(path);
    if (!t) return -1;
    if (!t->simulated) return native::readlink(t->path.c_str(), buf, bufsiz);
    const sim::DeviceNamespace* ns = &t->devices();
    const sim::DirEntry* e = ns->entry(t->path);
    if (e == nullptr) {
        errno = isDirectory(*ns, t->path) || ns->node(t->path) ? EINVAL : ENOENT;
        return -1;
    }
    if (!e->link) {
        errno = EINVAL;
        return -1;
    }
    size_t n = e->link->size() < bufsiz ? e->link->size() : bufsiz;
    std::memcpy(buf, e->link->data(), n);
    return static_cast<ssize_t>(n);
}

int chdir(const char* path) {
    auto t = target(path);
    if (!t) return -1;
    if (!t->simulated) {
        int rc = native::chdir(t->path.c_str());
        if (rc == 0) sim::setCurrentDirectory("");
        return rc;
    }
    const sim::DeviceNamespace* ns = &t->devices();
    if (!isDirectory(*ns, t->path)) {
        errno = ns->resolve(t->path) != nullptr ? ENOTDIR : ENOENT;
        return -1;
    }
    sim::setCurrentDirectory(t->path);
    return 0;
}

int ioctl(int fd, int request, void* arg) {
    sim::OpenDevice dev;
    {
        std::lock_guard<std::mutex> lock(descriptorMutex);
        auto it = descriptors.find(fd);
        if (it == descriptors.end()) {
            errno = EBADF;
            return -1;
        }
        dev = it->second;
    }
    if (dev.disk == nullptr) {
        errno = ENXIO;
        return -1;
    }
    return routeIoctl(dev, request, arg, uscsiIoctl, dkioIoctl);
}

}  // namespace sol::simulated
