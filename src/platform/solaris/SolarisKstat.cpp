// libkstat itself, passed through unchanged.
#include <kstat.h>
#include <sys/sysinfo.h>

#include "KstatChain.h"
#include "sol/sysinfo.h"
#include "solaris/SameLayout.h"

namespace sol::native {

SOL_SAME_SIZE(sol::kstat_ctl_t, ::kstat_ctl_t);
SOL_SAME_MEMBER(sol::kstat_ctl_t, ::kstat_ctl_t, kc_chain);
SOL_SAME_MEMBER(sol::kstat_ctl_t, ::kstat_ctl_t, kc_kd);
SOL_SAME_SIZE(sol::kstat_t, ::kstat_t);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_next);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_module);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_instance);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_name);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_type);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_class);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_data);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_ndata);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_data_size);
SOL_SAME_MEMBER(sol::kstat_t, ::kstat_t, ks_snaptime);
// The data records read out of the statistics.
SOL_SAME_SIZE(sol::kstat_io_t, ::kstat_io_t);
SOL_SAME_MEMBER(sol::kstat_io_t, ::kstat_io_t, writes);
SOL_SAME_MEMBER(sol::kstat_io_t, ::kstat_io_t, rtime);
SOL_SAME_MEMBER(sol::kstat_io_t, ::kstat_io_t, rcnt);
// vminfo_t is 40 bytes on Solaris 10 and 48 on illumos (a sixth member): ours holds the five
// members both have, at the same offsets, and the read copies at most ks_data_size bytes.
SOL_SAME_MEMBER(sol::vminfo_t, ::vminfo_t, freemem);
SOL_SAME_MEMBER(sol::vminfo_t, ::vminfo_t, swap_resv);
SOL_SAME_MEMBER(sol::vminfo_t, ::vminfo_t, swap_alloc);
SOL_SAME_MEMBER(sol::vminfo_t, ::vminfo_t, swap_avail);
SOL_SAME_MEMBER(sol::vminfo_t, ::vminfo_t, swap_free);
SOL_SAME_SIZE(sol::cpu_sysinfo_t, ::cpu_sysinfo_t);
SOL_SAME_MEMBER(sol::cpu_sysinfo_t, ::cpu_sysinfo_t, win_suo_cnt);
SOL_SAME_SIZE(sol::cpu_stat_t, ::cpu_stat_t);
SOL_SAME_MEMBER(sol::cpu_stat_t, ::cpu_stat_t, cpu_sysinfo);
SOL_SAME_MEMBER(sol::cpu_stat_t, ::cpu_stat_t, cpu_vminfo);

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
