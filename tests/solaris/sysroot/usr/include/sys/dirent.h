/* Stand-in: the directory entry (d_name is variable length; no d_type). Includes nothing, as
   on the platform: <sys/types.h> comes first. */
#ifndef _SYS_DIRENT_H
#define _SYS_DIRENT_H

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
