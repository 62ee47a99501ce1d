// The SCSI pass-through of a simulated device.
#include <cerrno>

#include "sim/SimDevices.h"

namespace sol::simulated {

int uscsiIoctl(const sim::OpenDevice&, int, void*) {
    errno = ENOTTY;
    return -1;
}

}  // namespace sol::simulated
