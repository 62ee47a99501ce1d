// <sys/dkio.h> and <sys/vtoc.h>: the disk ioctls, with the LP64 Solaris structures (SPARC,
// eight slices). Issue them with sol::ioctl on a descriptor from sol::open.
#pragma once
#include <cstddef>

#include "sol/ioctl.h"
#include "sol/types.h"

#if defined(__sun)
#include <sys/types.h>  // the platform's disk label header includes nothing itself
#include <sys/dkio.h>
#include <sys/vtoc.h>
#else
namespace sol {

constexpr int DKIOC = 0x04 << 8;
constexpr int DKIOCGGEOM = DKIOC | 1;   // struct dk_geom
constexpr int DKIOCSGEOM = DKIOC | 2;
constexpr int DKIOCINFO = DKIOC | 3;    // struct dk_cinfo
constexpr int DKIOCGVTOC = DKIOC | 11;  // struct vtoc
constexpr int DKIOCSVTOC = DKIOC | 12;

constexpr int DK_DEVLEN = 16;

constexpr ushort_t DKC_UNKNOWN = 0;
constexpr ushort_t DKC_SCSI_CCS = 13;

constexpr int V_NUMPAR = 8;
constexpr int LEN_DKL_ASCII = 128;
constexpr int LEN_DKL_VVOL = 8;
constexpr unsigned long VTOC_SANE = 0x600DDEEE;
constexpr unsigned long V_VERSION = 1;

// Slice tags and flags.
constexpr ushort_t V_UNASSIGNED = 0x00;
constexpr ushort_t V_BOOT = 0x01;
constexpr ushort_t V_ROOT = 0x02;
constexpr ushort_t V_SWAP = 0x03;
constexpr ushort_t V_USR = 0x04;
constexpr ushort_t V_BACKUP = 0x05;
constexpr ushort_t V_STAND = 0x06;
constexpr ushort_t V_VAR = 0x07;
constexpr ushort_t V_HOME = 0x08;
constexpr ushort_t V_UNMNT = 0x01;
constexpr ushort_t V_RONLY = 0x10;

}  // namespace sol
#endif

namespace sol {

// Disk geometry: 21 unsigned shorts.
struct dk_geom {
    unsigned short dkg_ncyl;    // data cylinders
    unsigned short dkg_acyl;    // alternate cylinders
    unsigned short dkg_bcyl;    // cylinder offset
    unsigned short dkg_nhead;   // heads
    unsigned short dkg_obs1;
    unsigned short dkg_nsect;   // sectors per track
    unsigned short dkg_intrlv;  // interleave
    unsigned short dkg_obs2;
    unsigned short dkg_obs3;
    unsigned short dkg_apc;     // alternates per cylinder
    unsigned short dkg_rpm;
    unsigned short dkg_pcyl;    // physical cylinders
    unsigned short dkg_write_reinstruct;
    unsigned short dkg_read_reinstruct;
    unsigned short dkg_extra[7];
};
static_assert(sizeof(dk_geom) == 42, "Solaris dk_geom layout");
static_assert(offsetof(dk_geom, dkg_pcyl) == 22, "Solaris dk_geom layout");

// Controller and drive of an opened disk device.
struct dk_cinfo {
    char dki_cname[DK_DEVLEN];  // controller name, no unit number
    ushort_t dki_ctype;
    ushort_t dki_flags;
    ushort_t dki_cnum;          // controller number
    uint_t dki_addr;
    uint_t dki_space;
    uint_t dki_prio;
    uint_t dki_vec;
    char dki_dname[DK_DEVLEN];  // drive name, no unit number
    uint_t dki_unit;            // driver instance
    uint_t dki_slave;
    ushort_t dki_partition;     // slice of the opened minor
    ushort_t dki_maxtransfer;   // in 512-byte units
};
static_assert(sizeof(dk_cinfo) == 68, "Solaris dk_cinfo layout");
static_assert(offsetof(dk_cinfo, dki_dname) == 40, "Solaris dk_cinfo layout");
static_assert(offsetof(dk_cinfo, dki_partition) == 64, "Solaris dk_cinfo layout");

struct partition {
    ushort_t p_tag;
    ushort_t p_flag;
    daddr_t p_start;  // first sector
    long p_size;      // sectors
};

// The volume table of contents.
struct vtoc {
    unsigned long v_bootinfo[3];
    unsigned long v_sanity;
    unsigned long v_version;
    char v_volume[LEN_DKL_VVOL];
    ushort_t v_sectorsz;
    ushort_t v_nparts;
    unsigned long v_reserved[10];
    partition v_part[V_NUMPAR];
    long timestamp[V_NUMPAR];
    char v_asciilabel[LEN_DKL_ASCII];  // not necessarily terminated
};
static_assert(sizeof(partition) == 24, "Solaris LP64 partition layout");
static_assert(offsetof(vtoc, v_part) == 136, "Solaris LP64 vtoc layout");
static_assert(offsetof(vtoc, v_asciilabel) == 392, "Solaris LP64 vtoc layout");
static_assert(sizeof(vtoc) == 520, "Solaris LP64 vtoc layout");

}  // namespace sol
