/* Stand-in: processor information (the committed four-member structure). */
#ifndef _SYS_PROCESSOR_H
#define _SYS_PROCESSOR_H

#include <sys/types.h>

#define PI_TYPELEN 16
#define PI_FPUTYPE 32

#define P_OFFLINE 0x0001
#define P_ONLINE 0x0002
#define P_STATUS 0x0003
#define P_FAULTED 0x0004
#define P_POWEROFF 0x0005
#define P_NOINTR 0x0006
#define P_SPARE 0x0007
#define P_BAD P_FAULTED
#define P_FORCED 0x10000000

typedef int processorid_t;
typedef int chipid_t;

typedef struct {
    int pi_state;
    char pi_processor_type[PI_TYPELEN];
    char pi_fputypes[PI_FPUTYPE];
    int pi_clock;
} processor_info_t;

#ifdef __cplusplus
extern "C" {
#endif
int processor_info(processorid_t, processor_info_t *);
int p_online(processorid_t, int);
#ifdef __cplusplus
}
#endif

#endif
