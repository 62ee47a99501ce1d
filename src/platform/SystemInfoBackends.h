// sysinfo, uname and sysconf, as each backend provides them.
#pragma once
#include "sol/utsname.h"

namespace sol {
namespace simulated {
int sysinfo(int command, char* buf, long count);
int uname(utsname* name);
long sysconf(int name);
}  // namespace simulated
namespace native {
int sysinfo(int command, char* buf, long count);
int uname(utsname* name);
long sysconf(int name);
}  // namespace native
}  // namespace sol
