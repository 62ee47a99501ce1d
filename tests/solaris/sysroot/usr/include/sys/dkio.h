/* Stand-in: the disk ioctls. Like <sys/dklabel.h>, which it includes, it needs <sys/types.h> first. */
#ifndef _SYS_DKIO_H
#define _SYS_DKIO_H

#include <sys/dklabel.h>

#define DK_DEVLEN 16

struct dk_cinfo {
    char dki_cname[DK_DEVLEN];
    ushort_t dki_ctype;
    ushort_t dki_flags;
    ushort_t dki_cnum;
    uint_t dki_addr;
    uint_t dki_space;
    uint_t dki_prio;
    uint_t dki_vec;
    char dki_dname[DK_DEVLEN];
    uint_t dki_unit;
    uint_t dki_slave;
    ushort_t dki_partition;
    ushort_t dki_maxtransfer;
};

#define DKC_UNKNOWN 0
#define DKC_CDROM 1
#define DKC_SCSI_CCS 13
#define DKC_MD 16
#define DKC_DIRECT 20
#define DKC_PCMCIA_MEM 21
#define DKC_PCMCIA_ATA 22
#define DKC_VBD 23
#define DKC_BLKDEV 24
#define DKC_CUSTOMER_BASE 1024

#define DKI_BAD144 0x01
#define DKI_MAPTRK 0x02
#define DKI_FMTTRK 0x04
#define DKI_FMTVOL 0x08
#define DKI_FMTCYL 0x10
#define DKI_HEXUNIT 0x20
#define DKI_PCMCIA_PFD 0x40

struct dk_geom {
    unsigned short dkg_ncyl;
    unsigned short dkg_acyl;
    unsigned short dkg_bcyl;
    unsigned short dkg_nhead;
    unsigned short dkg_obs1;
    unsigned short dkg_nsect;
    unsigned short dkg_intrlv;
    unsigned short dkg_obs2;
    unsigned short dkg_obs3;
    unsigned short dkg_apc;
    unsigned short dkg_rpm;
    unsigned short dkg_pcyl;
    unsigned short dkg_write_reinstruct;
    unsigned short dkg_read_reinstruct;
    unsigned short dkg_extra[7];
};
#define dkg_bhead dkg_obs1
#define dkg_gap1 dkg_obs2
#define dkg_gap2 dkg_obs3

#define DKIOC (0x04 << 8)
#define DKIOCGGEOM (DKIOC | 1)
#define DKIOCSGEOM (DKIOC | 2)
#define DKIOCINFO (DKIOC | 3)
#define DKIOCSAPART (DKIOC | 4)
#define DKIOCGAPART (DKIOC | 5)
#define DKIOCEJECT (DKIOC | 6)
#define DKIOCLOCK (DKIOC | 7)
#define DKIOCUNLOCK (DKIOC | 8)
#define DKIOCGVTOC (DKIOC | 11)
#define DKIOCSVTOC (DKIOC | 12)
#define DKIOCSTATE (DKIOC | 13)
#define DKIOCREMOVABLE (DKIOC | 16)
#define DKIOCGEXTVTOC (DKIOC | 23)
#define DKIOCSEXTVTOC (DKIOC | 24)
#define DKIOCGMEDIAINFO (DKIOC | 42)

#endif
