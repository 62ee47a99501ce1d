/* Stand-in: the current device-number format through the C library. */
#ifndef _SYS_MKDEV_H
#define _SYS_MKDEV_H

#include <sys/types.h>

#define ONBITSMAJOR 7
#define ONBITSMINOR 8
#define NBITSMAJOR32 14
#define NBITSMINOR32 18
#define MAXMAJ32 0x3fffUL
#define MAXMIN32 0x3ffffUL

#define OLDDEV 0
#define NEWDEV 1

#ifdef __cplusplus
extern "C" {
#endif
dev_t __makedev(const int, const major_t, const minor_t);
major_t __major(const int, const dev_t);
minor_t __minor(const int, const dev_t);
#ifdef __cplusplus
}
#endif

#undef major
#undef minor
#undef makedev
#define makedev(maj, min) __makedev(NEWDEV, maj, min)
#define major(dev) __major(NEWDEV, dev)
#define minor(dev) __minor(NEWDEV, dev)

#endif
