// <fcntl.h>: open(2) with the Solaris flag values.
#pragma once
#include "sol/types.h"

#if defined(__sun)
#include <fcntl.h>
#else
// The C library's <fcntl.h> defines these names as macros with other values: it is read
// first and its macros are removed, so the Solaris names below are the ones in force.
#include <fcntl.h>
#undef O_RDONLY
#undef O_WRONLY
#undef O_RDWR
#undef O_ACCMODE
#undef O_NDELAY
#undef O_APPEND
#undef O_SYNC
#undef O_DSYNC
#undef O_NONBLOCK
#undef O_CREAT
#undef O_TRUNC
#undef O_EXCL
#undef O_NOCTTY
#undef O_LARGEFILE

namespace sol {

constexpr int O_RDONLY = 0;
constexpr int O_WRONLY = 1;
constexpr int O_RDWR = 2;
constexpr int O_ACCMODE = 3;
constexpr int O_NDELAY = 0x04;
constexpr int O_APPEND = 0x08;
constexpr int O_SYNC = 0x10;
constexpr int O_DSYNC = 0x40;
constexpr int O_NONBLOCK = 0x80;
constexpr int O_CREAT = 0x100;
constexpr int O_TRUNC = 0x200;
constexpr int O_EXCL = 0x400;
constexpr int O_NOCTTY = 0x800;
constexpr int O_LARGEFILE = 0x2000;

}  // namespace sol
#endif

namespace sol {

// A descriptor, or -1 with errno.
int open(const char* path, int oflag);

}  // namespace sol
