/* Stand-in: file status (LP64 layout). */
#ifndef _SYS_STAT_H
#define _SYS_STAT_H

#include <sys/types.h>

#define _ST_FSTYPSZ 16

/* The LP64 members, shared by struct stat and struct stat64. */
#define __SOL_STAT_MEMBERS         \
    dev_t st_dev;                  \
    ino_t st_ino;                  \
    mode_t st_mode;                \
    nlink_t st_nlink;              \
    uid_t st_uid;                  \
    gid_t st_gid;                  \
    dev_t st_rdev;                 \
    off_t st_size;                 \
    timestruc_t st_atim;           \
    timestruc_t st_mtim;           \
    timestruc_t st_ctim;           \
    blksize_t st_blksize;          \
    blkcnt_t st_blocks;            \
    char st_fstype[_ST_FSTYPSZ];

struct stat {
    __SOL_STAT_MEMBERS
};

#define st_atime st_atim.tv_sec
#define st_mtime st_mtim.tv_sec
#define st_ctime st_ctim.tv_sec

/* With _LARGEFILE64_SOURCE the large-file names are the plain calls (LP64). A compiler that
   knows #pragma redefine_extname gets struct stat64 as a type of its own, laid out as struct
   stat, and the functions renamed at link time; any other gets macros. */
#if defined(_LARGEFILE64_SOURCE)
#if defined(__PRAGMA_REDEFINE_EXTNAME)
#pragma redefine_extname stat64 stat
#pragma redefine_extname fstat64 fstat
#pragma redefine_extname lstat64 lstat
#pragma redefine_extname fstatat64 fstatat
struct stat64 {
    __SOL_STAT_MEMBERS
};
#else
#define stat64 stat
#define fstat64 fstat
#define lstat64 lstat
#define fstatat64 fstatat
#endif
#endif
#undef __SOL_STAT_MEMBERS

#define S_IFMT 0xF000
#define S_IFIFO 0x1000
#define S_IFCHR 0x2000
#define S_IFDIR 0x4000
#define S_IFBLK 0x6000
#define S_IFREG 0x8000
#define S_IFLNK 0xA000
#define S_IFSOCK 0xC000
#define S_IFDOOR 0xD000
#define S_IFPORT 0xE000

#define S_ISFIFO(mode) (((mode) & 0xF000) == 0x1000)
#define S_ISCHR(mode) (((mode) & 0xF000) == 0x2000)
#define S_ISDIR(mode) (((mode) & 0xF000) == 0x4000)
#define S_ISBLK(mode) (((mode) & 0xF000) == 0x6000)
#define S_ISREG(mode) (((mode) & 0xF000) == 0x8000)
#define S_ISLNK(mode) (((mode) & 0xF000) == 0xA000)
#define S_ISSOCK(mode) (((mode) & 0xF000) == 0xC000)

#define S_IRWXU 00700
#define S_IRUSR 00400
#define S_IWUSR 00200
#define S_IXUSR 00100
#define S_IRWXG 00070
#define S_IRGRP 00040
#define S_IWGRP 00020
#define S_IXGRP 00010
#define S_IRWXO 00007
#define S_IROTH 00004
#define S_IWOTH 00002
#define S_IXOTH 00001

#ifdef __cplusplus
extern "C" {
#endif
int stat(const char *, struct stat *);
int lstat(const char *, struct stat *);
int fstat(int, struct stat *);
int fstatat(int, const char *, struct stat *, int);
#if defined(_LARGEFILE64_SOURCE)
int stat64(const char *, struct stat64 *);
int lstat64(const char *, struct stat64 *);
int fstat64(int, struct stat64 *);
int fstatat64(int, const char *, struct stat64 *, int);
#endif
int mkdir(const char *, mode_t);
int chmod(const char *, mode_t);
mode_t umask(mode_t);
#ifdef __cplusplus
}
#endif

#endif
