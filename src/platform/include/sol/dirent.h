// <dirent.h>: directory streams.
#pragma once
#include "sol/types.h"

#if defined(__sun)
#include <sys/param.h>  // MAXNAMELEN
#else
namespace sol {

constexpr int MAXNAMELEN = 256;

}  // namespace sol
#endif

namespace sol {

// The LP64 dirent: d_name at offset 18. Solaris declares d_name variable-length; here it has
// room for the longest name and its terminator, and readers still measure it with strlen.
struct dirent {
    uint64_t d_ino;
    int64_t d_off;
    unsigned short d_reclen;
    char d_name[MAXNAMELEN];
};
static_assert(offsetof(dirent, d_name) == 18, "Solaris LP64 dirent layout");

struct DIR;  // opaque

// NULL with errno when the directory cannot be opened.
DIR* opendir(const char* path);
// A stream on `fd`, an open directory, which the stream then owns; NULL with errno on failure,
// `fd` then still the caller's to close (as with the system call).
DIR* fdopendir(int fd);
// The next entry (valid until the next call on the stream), or NULL at the end or on error.
dirent* readdir(DIR* dirp);
int closedir(DIR* dirp);

}  // namespace sol
