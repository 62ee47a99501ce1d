/* Stand-in: the BSD string functions. */
#ifndef _STRINGS_H
#define _STRINGS_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>

__SOL_BEGIN
int strcasecmp(const char *, const char *);
int strncasecmp(const char *, const char *, size_t);
__SOL_END

#endif
