/* Stand-in: file-system capacities. */
#ifndef _SYS_STATVFS_H
#define _SYS_STATVFS_H

#include <sys/types.h>

#define FSTYPSZ 16

/* The LP64 members, shared by statvfs_t and statvfs64_t. */
#define __SOL_STATVFS_MEMBERS      \
    unsigned long f_bsize;         \
    unsigned long f_frsize;        \
    fsblkcnt_t f_blocks;           \
    fsblkcnt_t f_bfree;            \
    fsblkcnt_t f_bavail;           \
    fsfilcnt_t f_files;            \
    fsfilcnt_t f_ffree;            \
    fsfilcnt_t f_favail;           \
    unsigned long f_fsid;          \
    char f_basetype[FSTYPSZ];      \
    unsigned long f_flag;          \
    unsigned long f_namemax;       \
    char f_fstr[32];

typedef struct statvfs {
    __SOL_STATVFS_MEMBERS
} statvfs_t;

/* With _LARGEFILE64_SOURCE the large-file names are the plain ones (LP64): by pragma, with
   statvfs64_t a type of its own laid out as statvfs_t, where the compiler knows
   #pragma redefine_extname, else by macros. */
#if defined(_LARGEFILE64_SOURCE)
#if defined(__PRAGMA_REDEFINE_EXTNAME)
#pragma redefine_extname statvfs64 statvfs
#pragma redefine_extname fstatvfs64 fstatvfs
typedef struct statvfs64 {
    __SOL_STATVFS_MEMBERS
} statvfs64_t;
#else
#define statvfs64_t statvfs_t
#define statvfs64 statvfs
#define fstatvfs64 fstatvfs
#endif
#endif
#undef __SOL_STATVFS_MEMBERS

#define ST_RDONLY 0x01
#define ST_NOSUID 0x02
#define ST_NOTRUNC 0x04

#ifdef __cplusplus
extern "C" {
#endif
int statvfs(const char *, statvfs_t *);
int fstatvfs(int, statvfs_t *);
#if defined(_LARGEFILE64_SOURCE)
int statvfs64(const char *, statvfs64_t *);
int fstatvfs64(int, statvfs64_t *);
#endif
#ifdef __cplusplus
}
#endif

#endif
