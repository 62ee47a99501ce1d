// Which handler of a backend serves an ioctl request: the SCSI pass-through (USCSICMD) or the
// disk ioctls (the DKIOC group). Both backends that emulate the requests route them here.
#pragma once
#include <cerrno>

#include "sol/dkio.h"
#include "sol/uscsi.h"

namespace sol {

// Calls `uscsi` or `dkio` with (device, request, arg) and returns its result; any other request
// fails with ENOTTY. USCSICMD lies in the DKIOC group's number range, so it is tested first.
template <class Device, class Uscsi, class Dkio>
int routeIoctl(const Device& device, int request, void* arg, Uscsi uscsi, Dkio dkio) {
    if (request == USCSICMD) return uscsi(device, request, arg);
    if ((request & 0xFF00) == DKIOC) return dkio(device, request, arg);
    errno = ENOTTY;
    return -1;
}

}  // namespace sol
