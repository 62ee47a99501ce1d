// <sys/mkdev.h>: Solaris device numbers (LP64: major in the upper 32 bits, minor in the lower).
#pragma once
// The C library defines major, minor and makedev as function-like macros (on Solaris in both
// headers below): they are read first and removed for good, so sol's functions are the ones
// in force.
#if defined(__sun)
#include <sys/mkdev.h>
#endif
#include <sys/sysmacros.h>
#undef major
#undef minor
#undef makedev

#include "sol/types.h"

namespace sol {

using dev_t = ulong_t;
using major_t = uint_t;
using minor_t = uint_t;

constexpr major_t major(dev_t dev) { return static_cast<major_t>(dev >> 32); }
constexpr minor_t minor(dev_t dev) { return static_cast<minor_t>(dev & 0xFFFFFFFFUL); }
constexpr dev_t makedev(major_t maj, minor_t min) { return (static_cast<dev_t>(maj) << 32) | min; }

}  // namespace sol
