// <sys/scsi/impl/uscsi.h>: the user SCSI pass-through command (ioctl USCSICMD).
#pragma once
#include <cstddef>

#include "sol/types.h"

#if defined(__sun)
#include <sys/types.h>  // the platform's header includes nothing itself
#include <sys/scsi/impl/uscsi.h>
#else
namespace sol {

constexpr int USCSI_WRITE = 0x00000;
constexpr int USCSI_SILENT = 0x00001;
constexpr int USCSI_DIAGNOSE = 0x00002;
constexpr int USCSI_ISOLATE = 0x00004;
constexpr int USCSI_READ = 0x00008;
constexpr int USCSI_ASYNC = 0x01000;
constexpr int USCSI_SYNC = 0x02000;
constexpr int USCSI_RESET = 0x04000;
constexpr int USCSI_RESET_ALL = 0x08000;
constexpr int USCSI_RQENABLE = 0x10000;

constexpr int USCSIIOC = 0x04 << 8;
constexpr int USCSICMD = USCSIIOC | 201;

}  // namespace sol
#endif

namespace sol {

struct uscsi_cmd {
    int uscsi_flags;        // direction and options (USCSI_*)
    short uscsi_status;     // SCSI status byte returned by the target
    short uscsi_timeout;    // seconds
    caddr_t uscsi_cdb;      // the command descriptor block
    caddr_t uscsi_bufaddr;  // data buffer
    size_t uscsi_buflen;    // data length
    size_t uscsi_resid;     // bytes not transferred
    uchar_t uscsi_cdblen;   // CDB length
    uchar_t uscsi_rqlen;    // sense buffer size
    uchar_t uscsi_rqstatus; // status of the automatic REQUEST SENSE
    uchar_t uscsi_rqresid;  // sense bytes not filled
    caddr_t uscsi_rqbuf;    // sense buffer
    void* uscsi_reserved_5;
};
static_assert(offsetof(uscsi_cmd, uscsi_bufaddr) == 16, "Solaris LP64 uscsi_cmd layout");
static_assert(offsetof(uscsi_cmd, uscsi_cdblen) == 40, "Solaris LP64 uscsi_cmd layout");
static_assert(offsetof(uscsi_cmd, uscsi_rqbuf) == 48, "Solaris LP64 uscsi_cmd layout");
static_assert(sizeof(uscsi_cmd) == 64, "Solaris LP64 uscsi_cmd layout");
}  // namespace sol
