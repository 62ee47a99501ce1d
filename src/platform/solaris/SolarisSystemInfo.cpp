// The real Solaris calls, passed through unchanged.
#include <sys/systeminfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "SystemInfoBackends.h"
#include "solaris/SameLayout.h"

namespace sol::native {

SOL_SAME_SIZE(sol::utsname, struct ::utsname);
SOL_SAME_MEMBER(sol::utsname, struct ::utsname, version);
SOL_SAME_MEMBER(sol::utsname, struct ::utsname, machine);

int sysinfo(int command, char* buf, long count) { return ::sysinfo(command, buf, count); }
int uname(utsname* name) { return ::uname(reinterpret_cast<struct ::utsname*>(name)); }
long sysconf(int name) { return ::sysconf(name); }

}  // namespace sol::native
