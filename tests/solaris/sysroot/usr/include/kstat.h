/* Stand-in: the kernel statistics library (-lkstat). */
#ifndef _KSTAT_H
#define _KSTAT_H

#include <sys/types.h>
#include <sys/kstat.h>

typedef struct kstat_ctl {
    kid_t kc_chain_id;
    kstat_t *kc_chain;
    int kc_kd;
} kstat_ctl_t;

#ifdef __cplusplus
extern "C" {
#endif
kstat_ctl_t *kstat_open(void);
int kstat_close(kstat_ctl_t *);
kid_t kstat_read(kstat_ctl_t *, kstat_t *, void *);
kid_t kstat_write(kstat_ctl_t *, kstat_t *, void *);
kid_t kstat_chain_update(kstat_ctl_t *);
kstat_t *kstat_lookup(kstat_ctl_t *, char *, int, char *);
void *kstat_data_lookup(kstat_t *, char *);
#ifdef __cplusplus
}
#endif

#endif
