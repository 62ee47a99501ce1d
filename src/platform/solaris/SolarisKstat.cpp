// libkstat itself, passed through unchanged.
#include <kstat.h>

#include "KstatChain.h"

namespace sol::native {

kstat_ctl_t* kstat_open() { return reinterpret_cast<kstat_ctl_t*>(::kstat_open()); }
int kstat_close(kstat_ctl_t* kc) { return ::kstat_close(reinterpret_cast<::kstat_ctl_t*>(kc)); }
kstat_t* kstat_lookup(kstat_ctl_t* kc, const char* module, int instance, const char* name) {
    return reinterpret_cast<kstat_t*>(::kstat_lookup(reinterpret_cast<::kstat_ctl_t*>(kc),
                                                     const_cast<char*>(module), instance, const_cast<char*>(name)));
}
kid_t kstat_read(kstat_ctl_t* kc, kstat_t* ksp, void* buf) {
    return ::kstat_read(reinterpret_cast<::kstat_ctl_t*>(kc), reinterpret_cast<::kstat_t*>(ksp), buf);
}

}  // namespace sol::native
