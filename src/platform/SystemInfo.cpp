#include <unistd.h>

#include "Dispatch.h"
#include "SystemInfoBackends.h"
#include "sol/systeminfo.h"
#include "sol/unistd.h"

namespace sol {

int sysinfo(int command, char* buf, long count) { return SOL_DISPATCH(sysinfo, command, buf, count); }
int uname(utsname* name) { return SOL_DISPATCH(uname, name); }
long sysconf(int name) { return SOL_DISPATCH(sysconf, name); }
int gethostname(char* name, int namelen) { return ::gethostname(name, static_cast<size_t>(namelen)); }

}  // namespace sol
