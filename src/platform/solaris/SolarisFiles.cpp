// The real Solaris file, directory and device calls, passed through unchanged.
#include <sys/types.h>  // ahead of the disk and SCSI headers, which include nothing themselves

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/dkio.h>
#include <sys/ioctl.h>
#include <sys/scsi/impl/uscsi.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vtoc.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>

#include "FilesBackends.h"
#include "sol/dkio.h"
#include "sol/uscsi.h"
#include "solaris/SameLayout.h"

namespace sol::native {

SOL_SAME_SIZE(struct sol::stat, struct ::stat);
SOL_SAME_MEMBER(struct sol::stat, struct ::stat, st_mode);
SOL_SAME_MEMBER(struct sol::stat, struct ::stat, st_rdev);
SOL_SAME_MEMBER(struct sol::stat, struct ::stat, st_size);
SOL_SAME_MEMBER(struct sol::stat, struct ::stat, st_mtim);
SOL_SAME_MEMBER(struct sol::stat, struct ::stat, st_fstype);
SOL_SAME_SIZE(sol::statvfs64_t, ::statvfs64_t);
SOL_SAME_MEMBER(sol::statvfs64_t, ::statvfs64_t, f_blocks);
SOL_SAME_MEMBER(sol::statvfs64_t, ::statvfs64_t, f_basetype);
SOL_SAME_MEMBER(sol::statvfs64_t, ::statvfs64_t, f_flag);
SOL_SAME_MEMBER(sol::statvfs64_t, ::statvfs64_t, f_fstr);
SOL_SAME_MEMBER(sol::dirent, struct ::dirent, d_ino);
SOL_SAME_MEMBER(sol::dirent, struct ::dirent, d_reclen);
static_assert(offsetof(sol::dirent, d_name) == offsetof(struct ::dirent, d_name), "dirent names lie alike");
// The ioctl arguments.
SOL_SAME_SIZE(sol::dk_geom, struct ::dk_geom);
SOL_SAME_MEMBER(sol::dk_geom, struct ::dk_geom, dkg_pcyl);
SOL_SAME_SIZE(sol::dk_cinfo, struct ::dk_cinfo);
SOL_SAME_MEMBER(sol::dk_cinfo, struct ::dk_cinfo, dki_dname);
SOL_SAME_MEMBER(sol::dk_cinfo, struct ::dk_cinfo, dki_unit);
SOL_SAME_MEMBER(sol::dk_cinfo, struct ::dk_cinfo, dki_partition);
SOL_SAME_SIZE(sol::partition, struct ::partition);
SOL_SAME_MEMBER(sol::partition, struct ::partition, p_start);
SOL_SAME_SIZE(sol::vtoc, struct ::vtoc);
SOL_SAME_MEMBER(sol::vtoc, struct ::vtoc, v_sanity);
SOL_SAME_MEMBER(sol::vtoc, struct ::vtoc, v_part);
SOL_SAME_MEMBER(sol::vtoc, struct ::vtoc, v_asciilabel);
SOL_SAME_SIZE(sol::uscsi_cmd, struct ::uscsi_cmd);
SOL_SAME_MEMBER(sol::uscsi_cmd, struct ::uscsi_cmd, uscsi_bufaddr);
SOL_SAME_MEMBER(sol::uscsi_cmd, struct ::uscsi_cmd, uscsi_resid);
SOL_SAME_MEMBER(sol::uscsi_cmd, struct ::uscsi_cmd, uscsi_cdblen);
SOL_SAME_MEMBER(sol::uscsi_cmd, struct ::uscsi_cmd, uscsi_rqbuf);

namespace {

class RealDir : public DIR {
public:
    explicit RealDir(::DIR* dir) : dir_(dir) {}
    ~RealDir() override {
        if (dir_ != nullptr) ::closedir(dir_);
    }
    // A stream on the open directory `fd`; false with errno (`fd` untouched) on failure.
    bool open(int fd) {
        dir_ = ::fdopendir(fd);
        return dir_ != nullptr;
    }
    dirent* next() override { return reinterpret_cast<dirent*>(::readdir(dir_)); }

private:
    ::DIR* dir_;
};

}  // namespace

FILE* fopen(const char* path, const char* mode) { return ::fopen(path, mode); }
int statvfs64(const char* path, statvfs64_t* buf) { return ::statvfs64(path, reinterpret_cast<::statvfs64_t*>(buf)); }
int stat(const char* path, struct sol::stat* buf) { return ::stat(path, reinterpret_cast<struct ::stat*>(buf)); }
int lstat(const char* path, struct sol::stat* buf) { return ::lstat(path, reinterpret_cast<struct ::stat*>(buf)); }
int fstat(int fd, struct sol::stat* buf) { return ::fstat(fd, reinterpret_cast<struct ::stat*>(buf)); }
DIR* opendir(const char* path) { return wrapSystemStream<RealDir>(::opendir(path), ::closedir); }
DIR* fdopendir(int fd) {
    // The wrapper first: once the system's stream has the descriptor, it cannot give it back.
    std::unique_ptr<RealDir> stream(new (std::nothrow) RealDir(nullptr));
    if (stream == nullptr) {
        errno = ENOMEM;
        return nullptr;
    }
    return stream->open(fd) ? stream.release() : nullptr;
}
int open(const char* path, int oflag) { return ::open(path, oflag); }
int close(int fd) { return ::close(fd); }
void startWriteback(int) {}
ssize_t readlink(const char* path, char* buf, size_t bufsiz) { return ::readlink(path, buf, bufsiz); }
int chdir(const char* path) { return ::chdir(path); }
int ioctl(int fd, int request, void* arg) { return ::ioctl(fd, request, arg); }

}  // namespace sol::native
