/* Stand-in: timeval. */
#ifndef _SYS_TIME_H
#define _SYS_TIME_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>

struct timeval {
    time_t tv_sec;
    long tv_usec;
};

__SOL_BEGIN
int gettimeofday(struct timeval *, void *);
__SOL_END

#endif
