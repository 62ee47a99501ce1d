/* Stand-in: error numbers. */
#ifndef _ERRNO_H
#define _ERRNO_H

#include <sys/cdefs_sol.h>
#include <sys/errno.h>

__SOL_BEGIN
int *___errno(void);
__SOL_END
#define errno (*(___errno()))

#endif
