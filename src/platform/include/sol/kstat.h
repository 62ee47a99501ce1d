// <kstat.h>: the kernel statistics library.
#pragma once
#include <cstddef>
#include "sol/types.h"

#if defined(__sun)
#include <kstat.h>
#else
namespace sol {

constexpr int KSTAT_STRLEN = 31;

constexpr uchar_t KSTAT_TYPE_RAW = 0;
constexpr uchar_t KSTAT_TYPE_NAMED = 1;
constexpr uchar_t KSTAT_TYPE_INTR = 2;
constexpr uchar_t KSTAT_TYPE_IO = 3;
constexpr uchar_t KSTAT_TYPE_TIMER = 4;
constexpr int KSTAT_NUM_TYPES = 5;

}  // namespace sol
#endif

namespace sol {

struct kstat_t {
    hrtime_t ks_crtime;
    kstat_t* ks_next;
    kid_t ks_kid;
    char ks_module[KSTAT_STRLEN];
    uchar_t ks_resv;
    int ks_instance;
    char ks_name[KSTAT_STRLEN];
    uchar_t ks_type;
    char ks_class[KSTAT_STRLEN];
    uchar_t ks_flags;
    void* ks_data;
    uint_t ks_ndata;
    size_t ks_data_size;
    hrtime_t ks_snaptime;
    int (*ks_update)(kstat_t*, int);
    void* ks_private;
    int (*ks_snapshot)(kstat_t*, void*, int);
    void* ks_lock;
};

struct kstat_ctl_t {
    kid_t kc_chain_id;
    kstat_t* kc_chain;
    int kc_kd;
};

// KSTAT_TYPE_IO data.
struct kstat_io_t {
    u_longlong_t nread;
    u_longlong_t nwritten;
    uint_t reads;
    uint_t writes;
    hrtime_t wtime;
    hrtime_t wlentime;
    hrtime_t wlastupdate;
    hrtime_t rtime;
    hrtime_t rlentime;
    hrtime_t rlastupdate;
    uint_t wcnt;
    uint_t rcnt;
};

static_assert(sizeof(kstat_t) == 184, "Solaris kstat_t layout");
static_assert(offsetof(kstat_t, ks_data) == 120, "Solaris kstat_t layout");
static_assert(offsetof(kstat_t, ks_snaptime) == 144, "Solaris kstat_t layout");
static_assert(sizeof(kstat_ctl_t) == 24, "Solaris kstat_ctl_t layout");
static_assert(sizeof(kstat_io_t) == 80, "Solaris kstat_io_t layout");
static_assert(offsetof(kstat_io_t, rtime) == 48, "Solaris kstat_io_t layout");

// A handle with the chain loaded, or NULL with errno.
kstat_ctl_t* kstat_open();
// 0, or -1 with errno. Frees the chain and every data buffer.
int kstat_close(kstat_ctl_t* kc);
// The first statistic of the chain matching module, instance and name; a NULL module or name
// and an instance of -1 match anything. NULL with errno ENOENT when none matches.
kstat_t* kstat_lookup(kstat_ctl_t* kc, const char* module, int instance, const char* name);
// Reads the statistic into ks_data (and into buf when buf is not NULL; the caller's buffer must
// hold ks_data_size bytes). The chain id, or -1 with errno.
kid_t kstat_read(kstat_ctl_t* kc, kstat_t* ksp, void* buf);

}  // namespace sol
