// The Linux values of the open flags and file-type bits, captured before any Solaris header
// removes the C library's macros of the same names. Include this first in backend sources.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>

namespace linuxhost {

constexpr int kReadOnly = O_RDONLY;
constexpr int kWriteOnly = O_WRONLY;
constexpr int kReadWrite = O_RDWR;
constexpr int kNonBlock = O_NONBLOCK;
constexpr int kCloseOnExec = O_CLOEXEC;

// S_IFMT, S_IFIFO, S_IFCHR, S_IFDIR, S_IFBLK, S_IFREG, S_IFLNK and S_IFSOCK, in that order.
constexpr unsigned kFileTypeBits[] = {S_IFMT, S_IFIFO, S_IFCHR, S_IFDIR, S_IFBLK, S_IFREG, S_IFLNK, S_IFSOCK};

}  // namespace linuxhost
