/* Stand-in: compilation environment. An X/Open request of issue 5 or later (_XOPEN_SOURCE 500,
   600, 700), or _XOPEN_SOURCE_EXTENDED 1, selects the XPG4v2 interfaces (_XPG4_2), which change
   some prototypes (gethostname takes a size_t). */
#ifndef _SYS_FEATURE_TESTS_H
#define _SYS_FEATURE_TESTS_H

#include <sys/isa_defs.h>

#if (defined(_XOPEN_SOURCE) && (_XOPEN_SOURCE - 0 >= 500)) || \
    (defined(_XOPEN_SOURCE_EXTENDED) && (_XOPEN_SOURCE_EXTENDED - 0 == 1))
#define _XPG4_2
#endif

#endif
