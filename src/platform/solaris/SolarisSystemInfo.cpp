// The real Solaris calls, passed through unchanged.
#include <sys/systeminfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "SystemInfoBackends.h"

namespace sol::native {

int sysinfo(int command, char* buf, long count) { return ::sysinfo(command, buf, count); }
int uname(utsname* name) { return ::uname(reinterpret_cast<struct ::utsname*>(name)); }
long sysconf(int name) { return ::sysconf(name); }

}  // namespace sol::native
