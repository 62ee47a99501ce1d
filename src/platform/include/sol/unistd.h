// sysconf(3C) with the Solaris numbering of its names.
#pragma once
#include <sys/types.h>

#include "sol/types.h"

#if defined(__sun)
#include <unistd.h>
#else
namespace sol {

constexpr int _SC_CLK_TCK = 3;
constexpr int _SC_PAGESIZE = 11;
// _SC_PAGE_SIZE is left out: glibc defines it as a macro.
constexpr int _SC_NPROCESSORS_CONF = 14;
constexpr int _SC_NPROCESSORS_ONLN = 15;
constexpr int _SC_PHYS_PAGES = 500;
constexpr int _SC_AVPHYS_PAGES = 501;
constexpr int _SC_NPROCESSORS_MAX = 516;
constexpr int _SC_CPUID_MAX = 517;

}  // namespace sol
#endif

namespace sol {

// The value of `name`, or -1 (errno EINVAL) when the name is not supported.
long sysconf(int name);

// 0, or -1 with errno.
int close(int fd);
// Starts writing the file's changed pages out to its device and returns without waiting for
// them, so that a later sync of the file has little left to wait for. Nothing where the system
// has no such call (Solaris writes changed pages out on its own schedule).
void startWriteback(int fd);
// The length of the link's target copied into buf (no terminator added), or -1 with errno.
ssize_t readlink(const char* path, char* buf, size_t bufsiz);
// 0, or -1 with errno. The simulated host keeps its own current directory for its simulated
// directories, so the real process's working directory is left alone there.
int chdir(const char* path);
// 0, or -1 with errno: this machine's host name, in every backend (a simulated host names its
// node through uname, not here).
int gethostname(char* name, int namelen);

}  // namespace sol
