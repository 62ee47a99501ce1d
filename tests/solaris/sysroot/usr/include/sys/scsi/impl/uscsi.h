/* Stand-in: the user SCSI pass-through command. Includes nothing, as on the platform:
   <sys/types.h> comes first. The last member has its current illumos name, or with
   HOSTPROBE_SOLARIS10_HEADERS its Solaris 10 one (same offset and size). */
#ifndef _SYS_SCSI_IMPL_USCSI_H
#define _SYS_SCSI_IMPL_USCSI_H

struct uscsi_cmd {
    int uscsi_flags;
    short uscsi_status;
    short uscsi_timeout;
    caddr_t uscsi_cdb;
    caddr_t uscsi_bufaddr;
    size_t uscsi_buflen;
    size_t uscsi_resid;
    uchar_t uscsi_cdblen;
    uchar_t uscsi_rqlen;
    uchar_t uscsi_rqstatus;
    uchar_t uscsi_rqresid;
    caddr_t uscsi_rqbuf;
#if defined(HOSTPROBE_SOLARIS10_HEADERS)
    void *uscsi_reserved_5;
#else
    ulong_t uscsi_path_instance;
#endif
};

#define USCSI_WRITE 0x00000
#define USCSI_SILENT 0x00001
#define USCSI_DIAGNOSE 0x00002
#define USCSI_ISOLATE 0x00004
#define USCSI_READ 0x00008
#define USCSI_NOPARITY 0x00010
#define USCSI_NODISCON 0x00020
#define USCSI_NOINTR 0x00040
#define USCSI_NOTAG 0x00100
#define USCSI_OTAG 0x00200
#define USCSI_HTAG 0x00400
#define USCSI_HEAD 0x00800
#define USCSI_ASYNC 0x01000
#define USCSI_SYNC 0x02000
#define USCSI_RESET 0x04000
#define USCSI_RESET_TARGET USCSI_RESET
#define USCSI_RESET_ALL 0x08000
#define USCSI_RQENABLE 0x10000
#define USCSI_RENEGOT 0x20000

#define USCSIIOC (0x04 << 8)
#define USCSICMD (USCSIIOC | 201)

#endif
