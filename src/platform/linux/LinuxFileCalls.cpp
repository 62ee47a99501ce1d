// Files, directories and devices of the live Linux host, in the Solaris types and conventions.
#include "linux/LinuxFlags.h"  // first: captures the Linux flag values

#include <dirent.h>
#include <mntent.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <cstring>
#include <iterator>
#include <string>

#include "FilesBackends.h"
#include "IoctlRouting.h"
#include "SysinfoCopy.h"
#include "linux/LinuxDevices.h"
#include "linux/LinuxFiles.h"
#include "sol/fcntl.h"

namespace sol::native {

namespace {

// st_mode is copied as it is: Linux's file-type bits are Solaris's, in the order of kFileTypeBits.
constexpr bool sameFileTypeBits() {
    constexpr sol::mode_t solaris[] = {sol::S_IFMT,  sol::S_IFIFO, sol::S_IFCHR, sol::S_IFDIR,
                                       sol::S_IFBLK, sol::S_IFREG, sol::S_IFLNK, sol::S_IFSOCK};
    static_assert(std::size(solaris) == std::size(linuxhost::kFileTypeBits));
    for (size_t i = 0; i < std::size(solaris); ++i) {
        if (solaris[i] != linuxhost::kFileTypeBits[i]) return false;
    }
    return true;
}
static_assert(sameFileTypeBits(), "the stat conversion copies the file-type bits unchanged");

sol::dev_t solarisDevice(::dev_t dev) { return makedev(gnu_dev_major(dev), gnu_dev_minor(dev)); }

void convert(const struct ::stat& in, struct sol::stat* out) {
    std::memset(out, 0, sizeof *out);
    out->st_dev = solarisDevice(in.st_dev);
    out->st_ino = in.st_ino;
    out->st_mode = in.st_mode;  // the file-type bits and permissions have the same values (above)
    out->st_nlink = static_cast<uint_t>(in.st_nlink);
    out->st_uid = in.st_uid;
    out->st_gid = in.st_gid;
    out->st_rdev = solarisDevice(in.st_rdev);
    out->st_size = in.st_size;
    out->st_atim = {in.st_atim.tv_sec, in.st_atim.tv_nsec};
    out->st_mtim = {in.st_mtim.tv_sec, in.st_mtim.tv_nsec};
    out->st_ctim = {in.st_ctim.tv_sec, in.st_ctim.tv_nsec};
    out->st_blksize = static_cast<int>(in.st_blksize);
    out->st_blocks = in.st_blocks;
}

class RealDir : public DIR {
public:
    explicit RealDir(::DIR* dir) : dir_(dir) {}
    ~RealDir() override { ::closedir(dir_); }
    dirent* next() override {
        struct ::dirent* d = ::readdir(dir_);
        if (d == nullptr) return nullptr;
        std::memset(&entry_, 0, sizeof entry_);
        entry_.d_ino = d->d_ino;
        entry_.d_off = d->d_off;
        fieldCopy(entry_.d_name, sizeof entry_.d_name, d->d_name);
        entry_.d_reclen = static_cast<unsigned short>(18 + std::strlen(entry_.d_name) + 1);
        return &entry_;
    }

private:
    ::DIR* dir_;
    dirent entry_;
};

// A directory read straight from getdents64 into a buffer of its own (no stream set-up
// calls). Each batch is rewritten in place into Solaris records: a record only shrinks (the
// name moves one byte down and the type byte goes), so the rewrite never overtakes the reading.
class DescriptorDir : public DIR {
public:
    explicit DescriptorDir(int fd) : fd_(fd) {}
    ~DescriptorDir() override { ::close(fd_); }
    DescriptorDir(const DescriptorDir&) = delete;
    DescriptorDir& operator=(const DescriptorDir&) = delete;

    dirent* next() override {
        if (position_ >= filled_) {
            ssize_t got = ::getdents64(fd_, buffer_, sizeof buffer_);
            if (got <= 0) return nullptr;
            filled_ = convert(static_cast<size_t>(got));
            position_ = 0;
        }
        auto* e = reinterpret_cast<dirent*>(buffer_ + position_);
        position_ += e->d_reclen;
        return e;
    }

private:
    size_t convert(size_t got) {
        size_t to = 0;
        for (size_t from = 0; from < got;) {
            auto* in = reinterpret_cast<struct ::dirent64*>(buffer_ + from);
            uint64_t ino = in->d_ino;
            int64_t off = in->d_off;
            size_t reclen = in->d_reclen;
            size_t nameLength = ::strnlen(in->d_name, reclen - offsetof(struct ::dirent64, d_name));
            size_t outLength = (offsetof(dirent, d_name) + nameLength + 1 + 7) & ~size_t{7};
            char* out = buffer_ + to;
            std::memmove(out + offsetof(dirent, d_name), in->d_name, nameLength);
            out[offsetof(dirent, d_name) + nameLength] = '\0';
            std::memcpy(out + offsetof(dirent, d_ino), &ino, sizeof ino);
            std::memcpy(out + offsetof(dirent, d_off), &off, sizeof off);
            auto length = static_cast<unsigned short>(outLength);
            std::memcpy(out + offsetof(dirent, d_reclen), &length, sizeof length);
            from += reclen;
            to += outLength;
        }
        return to;
    }

    int fd_;
    alignas(8) char buffer_[32768];
    size_t position_ = 0;
    size_t filled_ = 0;
};

// The Linux mount table in the Solaris file format; the mount time is the boot time.
std::string mnttabText() {
    std::string bootTime = "0";
    std::string stat = linuxhost::readFile("/proc/stat");
    auto at = stat.find("\nbtime ");
    if (at != std::string::npos) bootTime = stat.substr(at + 7, stat.find('\n', at + 1) - at - 7);

    std::string text;
    FILE* mounts = ::setmntent("/proc/self/mounts", "r");
    if (mounts == nullptr) return text;
    struct ::mntent entry;
    // Room for the long option lists of overlay mounts.
    std::string buf(65536, '\0');
    while (::getmntent_r(mounts, &entry, &buf[0], static_cast<int>(buf.size())) != nullptr) {
        using linuxhost::mnttabField;
        text += mnttabField(entry.mnt_fsname) + '\t' + mnttabField(entry.mnt_dir) + '\t' +
                mnttabField(entry.mnt_type) + '\t' + mnttabField(entry.mnt_opts) + '\t' + bootTime + '\n';
    }
    ::endmntent(mounts);
    return text;
}

}  // namespace

FILE* fopen(const char* path, const char* mode) {
    if (path == nullptr || std::strcmp(path, "/etc/mnttab") != 0) return std::fopen(path, mode);
    std::string text = mnttabText();
    FILE* fp = ::fmemopen(nullptr, text.size() + 1, "w+");
    if (fp == nullptr) return nullptr;
    std::fwrite(text.data(), 1, text.size(), fp);
    std::rewind(fp);
    return fp;
}

int statvfs64(const char* path, statvfs64_t* buf) {
    struct ::statvfs v;
    if (::statvfs(path, &v) != 0) return -1;
    std::memset(buf, 0, sizeof *buf);
    buf->f_bsize = v.f_bsize;
    buf->f_frsize = v.f_frsize;
    buf->f_blocks = v.f_blocks;
    buf->f_bfree = v.f_bfree;
    buf->f_bavail = v.f_bavail;
    buf->f_files = v.f_files;
    buf->f_ffree = v.f_ffree;
    buf->f_favail = v.f_favail;
    buf->f_fsid = v.f_fsid;
    buf->f_flag = v.f_flag;
    buf->f_namemax = v.f_namemax;
    return 0;
}

int stat(const char* path, struct sol::stat* buf) {
    if (isNamespacePath(path)) return namespaceStat(path, buf, true);
    struct ::stat s;
    if (::stat(path, &s) != 0) return -1;
    convert(s, buf);
    return 0;
}

int lstat(const char* path, struct sol::stat* buf) {
    if (isNamespacePath(path)) return namespaceStat(path, buf, false);
    struct ::stat s;
    if (::lstat(path, &s) != 0) return -1;
    convert(s, buf);
    return 0;
}

int fstat(int fd, struct sol::stat* buf) {
    if (auto disk = openDisk(fd)) {
        nodeStatus(*disk, buf);
        return 0;
    }
    struct ::stat s;
    if (::fstat(fd, &s) != 0) return -1;
    convert(s, buf);
    return 0;
}

DIR* opendir(const char* path) {
    if (isNamespacePath(path)) return namespaceOpendir(path);
    return wrapSystemStream<RealDir>(::opendir(path), ::closedir);
}

DIR* fdopendir(int fd) {
    DIR* dir = new (std::nothrow) DescriptorDir(fd);
    if (dir == nullptr) errno = ENOMEM;  // the descriptor stays the caller's, as with the system call
    return dir;
}

int open(const char* path, int oflag) {
    if (isNamespacePath(path)) return namespaceOpen(path, oflag);
    int flags = linuxhost::kCloseOnExec;
    switch (oflag & sol::O_ACCMODE) {
    case sol::O_WRONLY: flags |= linuxhost::kWriteOnly; break;
    case sol::O_RDWR: flags |= linuxhost::kReadWrite; break;
    default: flags |= linuxhost::kReadOnly; break;
    }
    if (oflag & (sol::O_NDELAY | sol::O_NONBLOCK)) flags |= linuxhost::kNonBlock;
    return ::open(path, flags);
}

int close(int fd) {
    int result;
    return closeDisk(fd, &result) ? result : ::close(fd);
}
void startWriteback(int fd) { ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE); }
ssize_t readlink(const char* path, char* buf, size_t bufsiz) {
    if (isNamespacePath(path)) return namespaceReadlink(path, buf, bufsiz);
    return ::readlink(path, buf, bufsiz);
}
int chdir(const char* path) { return ::chdir(path); }

// An opened namespace entry answers the disk ioctls and the pass-through; any other Linux
// descriptor only the pass-through.
int ioctl(int fd, int request, void* arg) {
    if (auto disk = openDisk(fd)) {
        auto passThrough = [](const OpenDisk& d, int r, void* a) {
            if (d.openError == 0) return uscsiIoctl(d.fd, r, a);
            errno = d.openError;  // the Linux node could not be opened
            return -1;
        };
        return routeIoctl(*disk, request, arg, passThrough, dkioIoctl);
    }
    return routeIoctl(fd, request, arg, uscsiIoctl, [](int, int, void*) {
        errno = ENOTTY;
        return -1;
    });
}

}  // namespace sol::native
