/* Stand-in: the volume table of contents. Like <sys/dklabel.h>, which it includes, it needs
   <sys/types.h> first. */
#ifndef _SYS_VTOC_H
#define _SYS_VTOC_H

#include <sys/dklabel.h>

#define V_NUMPAR NDKMAP
#define VTOC_SANE 0x600DDEEE
#define V_VERSION 0x01

#define V_UNASSIGNED 0x00
#define V_BOOT 0x01
#define V_ROOT 0x02
#define V_SWAP 0x03
#define V_USR 0x04
#define V_BACKUP 0x05
#define V_STAND 0x06
#define V_VAR 0x07
#define V_HOME 0x08
#define V_ALTSCTR 0x09
#define V_CACHE 0x0a
#define V_RESERVED 0x0b
#define V_SYSTEM 0x0c
#define V_UNKNOWN 0xff

#define V_UNMNT 0x01
#define V_RONLY 0x10

#define VT_ERROR (-2)
#define VT_EIO (-3)
#define VT_EINVAL (-4)
#define VT_ENOTSUP (-5)
#define VT_ENOSPC (-6)
#define VT_EOVERFLOW (-7)

struct partition {
    ushort_t p_tag;
    ushort_t p_flag;
    daddr_t p_start;
    long p_size;
};

struct vtoc {
    unsigned long v_bootinfo[3];
    unsigned long v_sanity;
    unsigned long v_version;
    char v_volume[LEN_DKL_VVOL];
    ushort_t v_sectorsz;
    ushort_t v_nparts;
    unsigned long v_reserved[10];
    struct partition v_part[V_NUMPAR];
    time_t timestamp[V_NUMPAR];
    char v_asciilabel[LEN_DKL_ASCII];
};

#endif
