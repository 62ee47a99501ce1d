/* Stand-in: open flags with the Solaris values. */
#ifndef _SYS_FCNTL_H
#define _SYS_FCNTL_H

#include <sys/types.h>

#define O_RDONLY 0
#define O_WRONLY 1
#define O_RDWR 2
#define O_ACCMODE 0x600003 /* the access modes with the search and execute-only bits */
#define O_NDELAY 0x04
#define O_APPEND 0x08
#define O_SYNC 0x10
#define O_DSYNC 0x40
#define O_NONBLOCK 0x80
#define O_CREAT 0x100
#define O_TRUNC 0x200
#define O_EXCL 0x400
#define O_NOCTTY 0x800
#define O_LARGEFILE 0x2000
/* Later releases. */
#define O_NOFOLLOW 0x20000
#define O_CLOEXEC 0x800000
#define O_DIRECTORY 0x1000000

#define F_GETFD 1
#define F_SETFD 2
#define F_GETFL 3
#define F_SETFL 4
#define F_DUP2FD_CLOEXEC 36
#define F_DUPFD_CLOEXEC 37
#define FD_CLOEXEC 1

#define AT_FDCWD 0xffd19553
#define AT_SYMLINK_NOFOLLOW 0x1000
#define AT_REMOVEDIR 0x1

#endif
