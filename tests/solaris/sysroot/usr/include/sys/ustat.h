/* Stand-in: ustat(2) (LP64). */
#ifndef _SYS_USTAT_H
#define _SYS_USTAT_H

#include <sys/types.h>

struct ustat {
    daddr_t f_tfree;
    ino_t f_tinode;
    char f_fname[6];
    char f_fpack[6];
};

#endif
