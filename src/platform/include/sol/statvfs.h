// <sys/statvfs.h>: file-system capacities (the LP64 statvfs64_t).
#pragma once
#include "sol/types.h"

namespace sol {

constexpr int FSTYPSZ = 16;
constexpr unsigned long ST_RDONLY = 0x01;
constexpr unsigned long ST_NOSUID = 0x02;
constexpr unsigned long ST_NOTRUNC = 0x04;

struct statvfs64_t {
    unsigned long f_bsize;
    unsigned long f_frsize;
    uint64_t f_blocks;
    uint64_t f_bfree;
    uint64_t f_bavail;
    uint64_t f_files;
    uint64_t f_ffree;
    uint64_t f_favail;
    unsigned long f_fsid;
    char f_basetype[FSTYPSZ];
    unsigned long f_flag;
    unsigned long f_namemax;
    char f_fstr[32];
};
#if defined(__LP64__)
static_assert(sizeof(statvfs64_t) == 136, "Solaris statvfs64_t layout");
#endif

// 0, or -1 with errno.
int statvfs64(const char* path, statvfs64_t* buf);

}  // namespace sol
