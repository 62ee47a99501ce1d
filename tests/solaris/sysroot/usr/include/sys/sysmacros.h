/* Stand-in: the old device-number macros; reaching this header defines every _SC_* name. */
#ifndef _SYS_SYSMACROS_H
#define _SYS_SYSMACROS_H

#include <sys/param.h>

#define major(x) (((unsigned)(x) >> 8) & 0x7f)
#define minor(x) ((x) & 0xff)
#define makedev(x, y) (dev_t)(((x) << 8) | (y))

#endif
