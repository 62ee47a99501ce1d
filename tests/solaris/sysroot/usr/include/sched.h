/* Stand-in: scheduling. */
#ifndef _SCHED_H
#define _SCHED_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>
#include <time.h>

struct sched_param {
    int sched_priority;
};

__SOL_BEGIN
int sched_yield(void);
int sched_get_priority_max(int);
int sched_get_priority_min(int);
__SOL_END

#endif
