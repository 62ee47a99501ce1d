/* Stand-in: system parameters. Brings in every _SC_* name, as the platform's header does. */
#ifndef _SYS_PARAM_H
#define _SYS_PARAM_H

#include <sys/types.h>
#include <sys/unistd.h>

#define MAXNAMELEN 256
#define MAXPATHLEN 1024
#define DEV_BSIZE 512

#endif
