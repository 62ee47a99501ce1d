// <sys/mnttab.h>: the mount table.
#pragma once
#include <cstdio>

#include "sol/types.h"

#if defined(__sun)
#include <sys/types.h>  // the platform's header includes nothing itself (FILE: <cstdio> above)
#include <sys/mnttab.h>
#else
namespace sol {

constexpr const char* MNTTAB = "/etc/mnttab";
constexpr int MNT_LINE_MAX = 1024;
constexpr int MNT_TOOLONG = 1;  // line longer than MNT_LINE_MAX
constexpr int MNT_TOOMANY = 2;  // too many fields
constexpr int MNT_TOOFEW = 3;   // too few fields

}  // namespace sol
#endif

namespace sol {

struct mnttab {
    char* mnt_special;
    char* mnt_mountp;
    char* mnt_fstype;
    char* mnt_mntopts;
    char* mnt_time;
};

// Reads the next entry: 0 when one was read, -1 at end of file, a positive MNT_* code for a
// malformed line. The strings live in per-thread storage that the next call overwrites; a
// field written "-" is returned as NULL.
int getmntent(FILE* fp, mnttab* mp);

}  // namespace sol
