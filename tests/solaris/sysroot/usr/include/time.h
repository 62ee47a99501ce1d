/* Stand-in: time functions (declarations only). */
#ifndef _TIME_H
#define _TIME_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>

#ifndef NULL
#define NULL 0L
#endif
#define CLOCKS_PER_SEC 1000000L
#define CLOCK_REALTIME 3
#define CLOCK_MONOTONIC 4
#define CLOCK_HIGHRES CLOCK_MONOTONIC
#define CLOCK_PROCESS_CPUTIME_ID 5
#define CLOCK_THREAD_CPUTIME_ID 2
#define TIME_UTC 1

struct tm {
    int tm_sec;
    int tm_min;
    int tm_hour;
    int tm_mday;
    int tm_mon;
    int tm_year;
    int tm_wday;
    int tm_yday;
    int tm_isdst;
};

__SOL_BEGIN
clock_t clock(void);
double difftime(time_t, time_t);
time_t mktime(struct tm *);
time_t time(time_t *);
char *asctime(const struct tm *);
char *ctime(const time_t *);
/* The reentrant forms are the POSIX ones only in the POSIX threads environment; the default
   is the older draft form with a buffer length. */
#if defined(_POSIX_PTHREAD_SEMANTICS) || (_POSIX_C_SOURCE - 0 >= 199506L)
char *asctime_r(const struct tm *, char *);
char *ctime_r(const time_t *, char *);
#else
char *asctime_r(const struct tm *, char *, int);
char *ctime_r(const time_t *, char *, int);
#endif
struct tm *gmtime(const time_t *);
struct tm *gmtime_r(const time_t *, struct tm *);
struct tm *localtime(const time_t *);
struct tm *localtime_r(const time_t *, struct tm *);
size_t strftime(char *, size_t, const char *, const struct tm *);
int timespec_get(struct timespec *, int);
int clock_gettime(clockid_t, struct timespec *);
int clock_getres(clockid_t, struct timespec *);
int nanosleep(const struct timespec *, struct timespec *);
hrtime_t gethrtime(void);
void tzset(void);
__SOL_END

#endif
