/* Stand-in: the statistics records of the virtual memory and the processors. vminfo_t has the
   48-byte form of current illumos, or with HOSTPROBE_SOLARIS10_HEADERS the 40-byte form of
   Solaris 10 and earlier (no updates member). */
#ifndef _SYS_SYSINFO_H
#define _SYS_SYSINFO_H

#include <sys/types.h>

#define CPU_IDLE 0
#define CPU_USER 1
#define CPU_KERNEL 2
#define CPU_WAIT 3
#define CPU_STATES 4

#define W_IO 0
#define W_SWAP 1
#define W_PIO 2
#define W_STATES 3

typedef struct cpu_sysinfo {
    uint_t cpu[CPU_STATES];
    uint_t wait[W_STATES];
    uint_t bread, bwrite, lread, lwrite, phread, phwrite, pswitch, trap, intr, syscall, sysread,
        syswrite, sysfork, sysvfork, sysexec, readch, writech, rcvint, xmtint, mdmint, rawch,
        canch, outch, msg, sema, namei, ufsiget, ufsdirblk, ufsipage, ufsinopage, inodeovf,
        fileovf, procovf, intrthread, intrblk, idlethread, inv_swtch, nthreads, cpumigrate,
        xcalls, mutex_adenters, rw_rdfails, rw_wrfails, modload, modunload, bawrite, rw_enters,
        win_uo_cnt, win_uu_cnt, win_so_cnt, win_su_cnt, win_suo_cnt;
} cpu_sysinfo_t;

typedef struct sysinfo {
    uint_t updates;
    uint_t runque;
    uint_t runocc;
    uint_t swpque;
    uint_t swpocc;
    uint_t waiting;
} sysinfo_t;

typedef struct cpu_syswait {
    int iowait;
    int swap;
    int physio;
} cpu_syswait_t;

typedef struct cpu_vminfo {
    uint_t pgrec, pgfrec, pgin, pgpgin, pgout, pgpgout, swapin, pgswapin, swapout, pgswapout,
        zfod, dfree, scan, rev, hat_fault, as_fault, maj_fault, cow_fault, prot_fault, softlock,
        kernel_asflt, pgrrun, execpgin, execpgout, execfree, anonpgin, anonpgout, anonfree,
        fspgin, fspgout, fsfree;
} cpu_vminfo_t;

typedef struct vminfo {
    uint64_t freemem;
    uint64_t swap_resv;
    uint64_t swap_alloc;
    uint64_t swap_avail;
    uint64_t swap_free;
#if !defined(HOSTPROBE_SOLARIS10_HEADERS)
    uint64_t updates;
#endif
} vminfo_t;

typedef struct cpu_stat {
    uint_t __cpu_stat_lock[2];
    cpu_sysinfo_t cpu_sysinfo;
    cpu_syswait_t cpu_syswait;
    cpu_vminfo_t cpu_vminfo;
} cpu_stat_t;

#endif
