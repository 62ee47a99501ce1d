// The SCSI pass-through on a Linux device: the Solaris command record carried out with SG_IO.
#include <scsi/sg.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "linux/LinuxDevices.h"
#include "sol/uscsi.h"

namespace sol::native {

namespace {

constexpr unsigned kDefaultTimeoutMs = 60 * 1000;  // a Solaris time-out of 0 means the driver's default
constexpr unsigned short kDriverSense = 0x08;      // driver_status: sense data was returned
constexpr unsigned char kCheckCondition = 0x02;
constexpr int kUnitAttention = 0x06;
// As the Solaris disk driver does, a command that meets a unit attention (a reset, a changed
// LUN inventory) is sent again, unless the caller asked for no retries.
constexpr int kUnitAttentionRetries = 3;

// The sense key of fixed or descriptor-format sense data, or -1.
int senseKey(const unsigned char* sense, size_t length) {
    if (length < 3) return -1;
    unsigned code = sense[0] & 0x7Fu;
    if (code == 0x70 || code == 0x71) return sense[2] & 0x0F;
    if (code == 0x72 || code == 0x73) return sense[1] & 0x0F;
    return -1;
}

}  // namespace

int uscsiIoctl(int fd, int request, void* arg) {
    if (request != sol::USCSICMD) {
        errno = ENOTTY;
        return -1;
    }
    auto* cmd = static_cast<sol::uscsi_cmd*>(arg);
    if (cmd == nullptr || cmd->uscsi_cdb == nullptr || cmd->uscsi_cdblen == 0) {
        errno = cmd == nullptr ? EFAULT : EINVAL;
        return -1;
    }
    if (cmd->uscsi_buflen > 0xFFFFFFFFu) {
        errno = EINVAL;
        return -1;
    }

    sg_io_hdr_t io;
    std::memset(&io, 0, sizeof io);
    io.interface_id = 'S';
    const size_t buflen = cmd->uscsi_bufaddr == nullptr ? 0 : cmd->uscsi_buflen;
    if (cmd->uscsi_flags & sol::USCSI_READ) {
        io.dxfer_direction = SG_DXFER_FROM_DEV;
    } else {
        io.dxfer_direction = buflen > 0 ? SG_DXFER_TO_DEV : SG_DXFER_NONE;
    }
    io.cmd_len = cmd->uscsi_cdblen;
    io.cmdp = reinterpret_cast<unsigned char*>(cmd->uscsi_cdb);
    io.dxfer_len = static_cast<unsigned>(buflen);
    io.dxferp = buflen > 0 ? cmd->uscsi_bufaddr : nullptr;
    // Sense data always comes back here (the retry needs it), then goes to the caller's buffer.
    unsigned char senseData[252];
    io.sbp = senseData;
    io.timeout = cmd->uscsi_timeout > 0 ? static_cast<unsigned>(cmd->uscsi_timeout) * 1000u : kDefaultTimeoutMs;
    for (int attempt = 0;; ++attempt) {
        io.mx_sb_len = sizeof senseData;
        if (::ioctl(fd, SG_IO, &io) == -1) return -1;
        bool unitAttention = io.status == kCheckCondition &&
                             senseKey(senseData, std::min<size_t>(io.sb_len_wr, sizeof senseData)) == kUnitAttention;
        if (!unitAttention || attempt == kUnitAttentionRetries || (cmd->uscsi_flags & sol::USCSI_DIAGNOSE)) break;
    }

    cmd->uscsi_status = io.status;
    // A command the transport or the target did not complete fails the ioctl, as on Solaris.
    const bool failed = io.host_status != 0 || (io.driver_status & ~kDriverSense) != 0 || io.status != 0;
    // The residual is held within what the command could have moved; a failed command whose
    // driver claims everything moved (virtio_scsi, megaraid_sas and scsi_debug answer a
    // refused command so, sym53c8xx with the whole buffer) moved nothing.
    size_t resid = io.resid > 0 ? std::min(buflen, static_cast<size_t>(io.resid)) : 0;
    cmd->uscsi_resid = failed && resid == 0 ? buflen : resid;
    if (cmd->uscsi_rqbuf != nullptr && cmd->uscsi_rqlen > 0) {
        size_t returned = std::min<size_t>({io.sb_len_wr, sizeof senseData, cmd->uscsi_rqlen});
        std::memcpy(cmd->uscsi_rqbuf, senseData, returned);
        cmd->uscsi_rqresid = static_cast<unsigned char>(cmd->uscsi_rqlen - returned);
        if (returned > 0) cmd->uscsi_rqstatus = 0;  // the sense data came back
    }
    if (failed) {
        errno = EIO;
        return -1;
    }
    return 0;
}

}  // namespace sol::native
