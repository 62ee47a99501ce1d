// <sys/sysinfo.h>: the kernel statistics records of the virtual memory and the processors.
#pragma once
#include <cstddef>
#include "sol/types.h"

namespace sol {

// unix:0:vminfo: running sums to which the kernel adds the current page counts once a second.
// The five members of every release (illumos appends a sixth, `updates`, never read here):
// readers copy at most ks_data_size bytes of the statistic into it.
struct vminfo_t {
    uint64_t freemem;
    uint64_t swap_resv;
    uint64_t swap_alloc;
    uint64_t swap_avail;
    uint64_t swap_free;
};
static_assert(sizeof(vminfo_t) == 40, "the five common vminfo_t members");

}  // namespace sol

#if defined(__sun)
#include <sys/sysinfo.h>
#else
namespace sol {

constexpr int CPU_IDLE = 0;
constexpr int CPU_USER = 1;
constexpr int CPU_KERNEL = 2;
constexpr int CPU_WAIT = 3;
constexpr int CPU_STATES = 4;
constexpr int W_IO = 0;
constexpr int W_SWAP = 1;
constexpr int W_PIO = 2;
constexpr int W_STATES = 3;

}  // namespace sol
#endif

namespace sol {

struct cpu_sysinfo_t {
    uint_t cpu[CPU_STATES];  // cumulative clock ticks per CPU state
    uint_t wait[W_STATES];
    uint_t bread, bwrite, lread, lwrite, phread, phwrite, pswitch, trap, intr, syscall, sysread,
        syswrite, sysfork, sysvfork, sysexec, readch, writech, rcvint, xmtint, mdmint, rawch,
        canch, outch, msg, sema, namei, ufsiget, ufsdirblk, ufsipage, ufsinopage, inodeovf,
        fileovf, procovf, intrthread, intrblk, idlethread, inv_swtch, nthreads, cpumigrate,
        xcalls, mutex_adenters, rw_rdfails, rw_wrfails, modload, modunload, bawrite, rw_enters,
        win_uo_cnt, win_uu_cnt, win_so_cnt, win_su_cnt, win_suo_cnt;
};
static_assert(sizeof(cpu_sysinfo_t) == 236, "Solaris cpu_sysinfo_t layout");

struct cpu_syswait_t {
    int iowait;
    int swap;
    int physio;
};

struct cpu_vminfo_t {
    uint_t pgrec, pgfrec, pgin, pgpgin, pgout, pgpgout, swapin, pgswapin, swapout, pgswapout,
        zfod, dfree, scan, rev, hat_fault, as_fault, maj_fault, cow_fault, prot_fault, softlock,
        kernel_asflt, pgrrun, execpgin, execpgout, execfree, anonpgin, anonpgout, anonfree,
        fspgin, fspgout, fsfree;
};

// cpu_stat:N:cpu_statN.
struct cpu_stat_t {
    uint_t __cpu_stat_lock[2];
    cpu_sysinfo_t cpu_sysinfo;
    cpu_syswait_t cpu_syswait;
    cpu_vminfo_t cpu_vminfo;
};
static_assert(sizeof(cpu_stat_t) == 380, "Solaris cpu_stat_t layout");
static_assert(offsetof(cpu_stat_t, cpu_sysinfo) == 8, "Solaris cpu_stat_t layout");

}  // namespace sol
