// <sys/stat.h>: file status in the LP64 Solaris layout.
#pragma once
#include <cstddef>

#include "sol/mkdev.h"
#include "sol/types.h"

namespace sol {

using mode_t = uint_t;

}  // namespace sol

#if defined(__sun)
#include <sys/stat.h>  // the S_IF* bits and the S_IS* tests
#else
// The C library's <sys/stat.h> defines the S_IF* names and S_IS* tests as macros: it is read
// first and those macros are removed, so the Solaris names below are the ones in force.
#include <sys/stat.h>
#undef S_IFMT
#undef S_IFIFO
#undef S_IFCHR
#undef S_IFDIR
#undef S_IFBLK
#undef S_IFREG
#undef S_IFLNK
#undef S_IFSOCK
#undef S_ISDIR
#undef S_ISCHR
#undef S_ISBLK
#undef S_ISREG
#undef S_ISLNK
#undef S_ISFIFO
#undef S_ISSOCK

namespace sol {

constexpr mode_t S_IFMT = 0xF000;
constexpr mode_t S_IFIFO = 0x1000;
constexpr mode_t S_IFCHR = 0x2000;
constexpr mode_t S_IFDIR = 0x4000;
constexpr mode_t S_IFBLK = 0x6000;
constexpr mode_t S_IFREG = 0x8000;
constexpr mode_t S_IFLNK = 0xA000;
constexpr mode_t S_IFSOCK = 0xC000;

constexpr bool S_ISDIR(mode_t m) { return (m & S_IFMT) == S_IFDIR; }
constexpr bool S_ISCHR(mode_t m) { return (m & S_IFMT) == S_IFCHR; }
constexpr bool S_ISBLK(mode_t m) { return (m & S_IFMT) == S_IFBLK; }
constexpr bool S_ISREG(mode_t m) { return (m & S_IFMT) == S_IFREG; }
constexpr bool S_ISLNK(mode_t m) { return (m & S_IFMT) == S_IFLNK; }

}  // namespace sol
#endif

namespace sol {

struct timestruc_t {
    long tv_sec;
    long tv_nsec;
};

struct stat {
    dev_t st_dev;
    uint64_t st_ino;
    mode_t st_mode;
    uint_t st_nlink;
    uint_t st_uid;
    uint_t st_gid;
    dev_t st_rdev;
    int64_t st_size;
    timestruc_t st_atim;
    timestruc_t st_mtim;
    timestruc_t st_ctim;
    int st_blksize;
    int64_t st_blocks;
    char st_fstype[16];
};
static_assert(offsetof(struct stat, st_rdev) == 32, "Solaris LP64 stat layout");
static_assert(offsetof(struct stat, st_size) == 40, "Solaris LP64 stat layout");
static_assert(offsetof(struct stat, st_blksize) == 96, "Solaris LP64 stat layout");
static_assert(offsetof(struct stat, st_fstype) == 112, "Solaris LP64 stat layout");
static_assert(sizeof(struct stat) == 128, "Solaris LP64 stat layout");

// 0, or -1 with errno. stat follows symbolic links, lstat does not.
int stat(const char* path, struct stat* buf);
int lstat(const char* path, struct stat* buf);
int fstat(int fd, struct stat* buf);

}  // namespace sol
