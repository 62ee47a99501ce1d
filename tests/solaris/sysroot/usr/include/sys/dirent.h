/* Stand-in: the directory entry (d_name is variable length; no d_type). */
#ifndef _SYS_DIRENT_H
#define _SYS_DIRENT_H

#include <sys/types.h>

typedef struct dirent {
    ino_t d_ino;
    off_t d_off;
    unsigned short d_reclen;
    char d_name[1];
} dirent_t;

#if defined(_LARGEFILE64_SOURCE)
#define dirent64 dirent
#define dirent64_t dirent_t
#define readdir64 readdir
#endif

#endif
