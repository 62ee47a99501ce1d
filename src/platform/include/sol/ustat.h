// <ustat.h>: ustat(2), the free space of the mounted file system on a device.
#pragma once
#include "sol/mkdev.h"
#include "sol/types.h"

namespace sol {

struct ustat {
    daddr_t f_tfree;    // free space in 512-byte units
    uint64_t f_tinode;  // free inodes
    char f_fname[6];
    char f_fpack[6];
};
static_assert(sizeof(struct ustat) == 32, "Solaris LP64 ustat layout");

// 0 when a file system on device `dev` is mounted; -1 with errno EINVAL when none is.
int ustat(dev_t dev, struct ustat* buf);

}  // namespace sol
