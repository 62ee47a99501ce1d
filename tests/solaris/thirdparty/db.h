/* Berkeley DB's db.h as a build for Solaris configures it. The platform's <sys/types.h> has no
   u_int8_t ... u_int64_t, so such a db.h declares them itself, in the block Berkeley DB guards
   with __BIT_TYPES_DEFINED__; the installed header (configured for Linux, where the C library
   declares them) follows with everything else. */
#ifndef __BIT_TYPES_DEFINED__
#define __BIT_TYPES_DEFINED__
typedef unsigned char u_int8_t;
typedef unsigned short u_int16_t;
typedef unsigned int u_int32_t;
typedef unsigned long u_int64_t;
#endif

#include <installed/db.h>
