/* Stand-in: disk label sizes (eight slices on SPARC). */
#ifndef _SYS_DKLABEL_H
#define _SYS_DKLABEL_H

#include <sys/isa_defs.h>
#include <sys/types.h>

#if defined(_SUNOS_VTOC_8)
#define NDKMAP 8
#else
#define NDKMAP 16
#endif
#define LEN_DKL_ASCII 128
#define LEN_DKL_VVOL 8
#define DK_LABEL_SIZE 512
#define DKL_MAGIC 0xDABE

#endif
