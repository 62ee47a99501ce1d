// The SCSI pass-through on a Linux device.
#include <cerrno>

#include "linux/LinuxDevices.h"

namespace sol::native {

int uscsiIoctl(int, int, void*) {
    errno = ENOTTY;
    return -1;
}

}  // namespace sol::native
