/* Stand-in: integer formats. */
#ifndef _INTTYPES_H
#define _INTTYPES_H

#include <sys/cdefs_sol.h>
#include <stdint.h>

#define PRId32 "d"
#define PRIu32 "u"
#define PRIx32 "x"
#define PRId64 "ld"
#define PRIu64 "lu"
#define PRIx64 "lx"
#define PRIX64 "lX"

typedef struct { long quot; long rem; } imaxdiv_t;

__SOL_BEGIN
intmax_t imaxabs(intmax_t);
imaxdiv_t imaxdiv(intmax_t, intmax_t);
intmax_t strtoimax(const char *, char **, int);
uintmax_t strtoumax(const char *, char **, int);
__SOL_END

#endif
