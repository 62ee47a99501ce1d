/* Stand-in: disk label sizes (eight slices on SPARC). Includes nothing, as on the platform:
   <sys/types.h> (and through it <sys/isa_defs.h>) comes first. */
#ifndef _SYS_DKLABEL_H
#define _SYS_DKLABEL_H

#if defined(_SUNOS_VTOC_8)
#define NDKMAP 8
#else
#define NDKMAP 16
#endif
#define LEN_DKL_ASCII 128
#define LEN_DKL_VVOL 8
#define DK_LABEL_SIZE 512
#define DKL_MAGIC 0xDABE

/* A slice of the label: starting cylinder and size in blocks. */
struct dk_map {
    daddr_t dkl_cylno;
    daddr_t dkl_nblk;
};

#endif
