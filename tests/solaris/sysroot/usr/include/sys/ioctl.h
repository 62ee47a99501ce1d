/* Stand-in: <sys/ioctl.h>. The platform declares ioctl(2) in <unistd.h>, not here. */
#ifndef _SYS_IOCTL_H
#define _SYS_IOCTL_H

#endif
