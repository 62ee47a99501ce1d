/* Stand-in: compilation environment. */
#ifndef _SYS_FEATURE_TESTS_H
#define _SYS_FEATURE_TESTS_H

#include <sys/isa_defs.h>

#endif
