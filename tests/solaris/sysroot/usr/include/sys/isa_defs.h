/* Stand-in: the instruction-set facts of 64-bit SPARC. */
#ifndef _SYS_ISA_DEFS_H
#define _SYS_ISA_DEFS_H

#define _BIG_ENDIAN
#define _STACK_GROWS_DOWNWARD
#define _LONG_LONG_HTOL
#define _SUNOS_VTOC_8
#ifndef _LP64
#define _LP64
#endif

#endif
