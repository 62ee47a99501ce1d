/* Stand-in: file-system capacities (LP64: the large-file names map to the plain ones). */
#ifndef _SYS_STATVFS_H
#define _SYS_STATVFS_H

#include <sys/types.h>

#define FSTYPSZ 16

typedef struct statvfs {
    unsigned long f_bsize;
    unsigned long f_frsize;
    fsblkcnt_t f_blocks;
    fsblkcnt_t f_bfree;
    fsblkcnt_t f_bavail;
    fsfilcnt_t f_files;
    fsfilcnt_t f_ffree;
    fsfilcnt_t f_favail;
    unsigned long f_fsid;
    char f_basetype[FSTYPSZ];
    unsigned long f_flag;
    unsigned long f_namemax;
    char f_fstr[32];
} statvfs_t;

#if defined(_LARGEFILE64_SOURCE)
#define statvfs64_t statvfs_t
#define statvfs64 statvfs
#define fstatvfs64 fstatvfs
#endif

#define ST_RDONLY 0x01
#define ST_NOSUID 0x02
#define ST_NOTRUNC 0x04

#ifdef __cplusplus
extern "C" {
#endif
int statvfs(const char *, statvfs_t *);
int fstatvfs(int, statvfs_t *);
#ifdef __cplusplus
}
#endif

#endif
