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
    const bool sense = cmd->uscsi_rqbuf != nullptr && cmd->uscsi_rqlen > 0;
    if (sense) {
        io.sbp = reinterpret_cast<unsigned char*>(cmd->uscsi_rqbuf);
        io.mx_sb_len = cmd->uscsi_rqlen;
    }
    io.timeout = cmd->uscsi_timeout > 0 ? static_cast<unsigned>(cmd->uscsi_timeout) * 1000u : kDefaultTimeoutMs;

    if (::ioctl(fd, SG_IO, &io) == -1) return -1;

    cmd->uscsi_status = io.status;
    // A command the transport or the target did not complete fails the ioctl, as on Solaris.
    const bool failed = io.host_status != 0 || (io.driver_status & ~kDriverSense) != 0 || io.status != 0;
    // The residual is held within what the command could have moved; a failed command whose
    // driver claims everything moved (virtio_scsi, megaraid_sas and scsi_debug answer a
    // refused command so, sym53c8xx with the whole buffer) moved nothing.
    size_t resid = io.resid > 0 ? std::min(buflen, static_cast<size_t>(io.resid)) : 0;
    cmd->uscsi_resid = failed && resid == 0 ? buflen : resid;
    if (sense) {
        cmd->uscsi_rqresid = static_cast<unsigned char>(cmd->uscsi_rqlen - std::min(io.sb_len_wr, io.mx_sb_len));
        if (io.sb_len_wr > 0) cmd->uscsi_rqstatus = 0;  // the sense data came back
    }
    if (failed) {
        errno = EIO;
        return -1;
    }
    return 0;
}

}  // namespace sol::native
