// <sys/statvfs.h>: file-system capacities (the LP64 statvfs64_t).
#pragma once
#include "sol/types.h"

// On Solaris the platform's header makes statvfs64 the LP64 statvfs: by #pragma
// redefine_extname, or, for a compiler without it, by macros that rename our statvfs64 and
// statvfs64_t too, here and at every use alike.
#if defined(__sun)
#include <sys/statvfs.h>
#else
namespace sol {

constexpr int FSTYPSZ = 16;
constexpr unsigned long ST_RDONLY = 0x01;
constexpr unsigned long ST_NOSUID = 0x02;
constexpr unsigned long ST_NOTRUNC = 0x04;

}  // namespace sol
#endif

namespace sol {

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
static_assert(sizeof(statvfs64_t) == 136, "Solaris statvfs64_t layout");
static_assert(offsetof(statvfs64_t, f_basetype) == 72, "Solaris statvfs64_t layout");
static_assert(offsetof(statvfs64_t, f_flag) == 88, "Solaris statvfs64_t layout");

// 0, or -1 with errno.
int statvfs64(const char* path, statvfs64_t* buf);

}  // namespace sol
