/* Stand-in: ustat(2). */
#ifndef _USTAT_H
#define _USTAT_H

#include <sys/types.h>
#include <sys/ustat.h>

#ifdef __cplusplus
extern "C" {
#endif
int ustat(dev_t, struct ustat *);
#ifdef __cplusplus
}
#endif

#endif
