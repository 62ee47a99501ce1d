/* Stand-in: the Solaris scalar types (LP64). The integer types of given widths come from
   <sys/int_types.h>; there are no u_int8_t ... u_int64_t, and kid_t and processorid_t come with
   <sys/kstat.h> and <sys/processor.h>. */
#ifndef _SYS_TYPES_H
#define _SYS_TYPES_H

#include <sys/feature_tests.h>
#include <sys/int_types.h>

typedef unsigned char uchar_t;
typedef unsigned short ushort_t;
typedef unsigned int uint_t;
typedef unsigned long ulong_t;
typedef char *caddr_t;
typedef long daddr_t;
typedef long long longlong_t;
typedef unsigned long long u_longlong_t;
typedef unsigned char u_char;
typedef unsigned short u_short;
typedef unsigned int u_int;
typedef unsigned long u_long;


#ifndef _SIZE_T
#define _SIZE_T
typedef unsigned long size_t;
#endif
#ifndef _SSIZE_T
#define _SSIZE_T
typedef long ssize_t;
#endif
typedef long time_t;
typedef long clock_t;
typedef long long hrtime_t;
typedef int id_t;
typedef int pid_t;
typedef unsigned long long diskaddr_t;
typedef unsigned int uid_t;
typedef unsigned int gid_t;
typedef unsigned int mode_t;
typedef unsigned int nlink_t;
typedef unsigned long dev_t;
typedef unsigned int major_t;
typedef unsigned int minor_t;
typedef unsigned long ino_t;
typedef long off_t;
typedef long blkcnt_t;
typedef int blksize_t;
typedef unsigned long fsblkcnt_t;
typedef unsigned long fsfilcnt_t;
typedef unsigned long ino64_t;
typedef long off64_t;
typedef long blkcnt64_t;
typedef unsigned long fsblkcnt64_t;
typedef unsigned long fsfilcnt64_t;
typedef int key_t;
typedef unsigned int useconds_t;
typedef int clockid_t;
typedef int timer_t;

typedef struct timespec {
    time_t tv_sec;
    long tv_nsec;
} timespec_t;
typedef struct timespec timestruc_t;

#include <sys/pthread_types.h>

#endif
