// <sys/utsname.h>: uname(2) with the Solaris 257-byte fields.
#pragma once
#include "sol/types.h"

#if defined(__sun)
#include <sys/utsname.h>
#else
namespace sol {

constexpr int _SYS_NMLN = 257;

}  // namespace sol
#endif

namespace sol {

struct utsname {
    char sysname[_SYS_NMLN];
    char nodename[_SYS_NMLN];
    char release[_SYS_NMLN];
    char version[_SYS_NMLN];
    char machine[_SYS_NMLN];
};
static_assert(sizeof(utsname) == 1285, "Solaris utsname layout");

// Non-negative on success, -1 with errno on failure.
int uname(utsname* name);

}  // namespace sol
