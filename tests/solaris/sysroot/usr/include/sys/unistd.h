/* Stand-in: sysconf names with the Solaris numbering. */
#ifndef _SYS_UNISTD_H
#define _SYS_UNISTD_H

#define _SC_CLK_TCK 3
#define _SC_PAGESIZE 11
#define _SC_PAGE_SIZE _SC_PAGESIZE
#define _SC_NPROCESSORS_CONF 14
#define _SC_NPROCESSORS_ONLN 15
#define _SC_PHYS_PAGES 500
#define _SC_AVPHYS_PAGES 501
#define _SC_NPROCESSORS_MAX 516
#define _SC_CPUID_MAX 517

#endif
