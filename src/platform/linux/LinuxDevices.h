// The Solaris device namespace of the live Linux host as files: "/dev/dsk" and "/dev/rdsk"
// entries (eight slices a disk, the whole disk alone for an sg-only LUN), their links to
// "/devices" nodes, and the descriptors that opening them gives: the Linux node of the slice
// (the whole disk where the kernel has no partition for it), or, when the host refuses every
// open, a descriptor that only sysfs answers for. The disk ioctls and the SCSI pass-through
// are answered on those descriptors.
#pragma once
#include <sys/types.h>

#include <optional>

#include "FilesBackends.h"
#include "linux/LinuxDisks.h"
#include "sol/stat.h"

namespace sol::native {

// An opened namespace entry.
struct OpenDisk {
    int fd = -1;
    linuxhost::LiveDisk disk;
    int slice = 2;
    bool raw = true;     // opened through "/dev/rdsk" (a character node)
    int openError = 0;   // non-zero: the Linux node could not be opened (fd holds the sysfs directory)
};

// True for "/dev/dsk", "/dev/rdsk", "/devices" and the paths below them.
bool isNamespacePath(const char* path);

// The file calls on namespace paths, with the results and errors of the Solaris calls.
int namespaceStat(const char* path, struct sol::stat* buf, bool followLink);
ssize_t namespaceReadlink(const char* path, char* buf, size_t bufsiz);
DIR* namespaceOpendir(const char* path);
int namespaceOpen(const char* path, int oflag);

// The opened entry a descriptor stands for, if it is one; closing forgets it.
std::optional<OpenDisk> openDisk(int fd);
bool closeDisk(int fd, int* result);
// The node of an opened entry, as fstat answers it.
void nodeStatus(const OpenDisk& disk, struct sol::stat* buf);

// The request's result, or -1 with errno: the disk ioctls of an opened entry, and the SCSI
// pass-through on any Linux descriptor.
int dkioIoctl(const OpenDisk& disk, int request, void* arg);
int uscsiIoctl(int fd, int request, void* arg);

}  // namespace sol::native
