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

constexpr unsigned kTypeMask = S_IFMT;
constexpr unsigned kFifo = S_IFIFO;
constexpr unsigned kCharDevice = S_IFCHR;
constexpr unsigned kDirectory = S_IFDIR;
constexpr unsigned kBlockDevice = S_IFBLK;
constexpr unsigned kRegular = S_IFREG;
constexpr unsigned kSymlink = S_IFLNK;
constexpr unsigned kSocket = S_IFSOCK;

}  // namespace linuxhost
