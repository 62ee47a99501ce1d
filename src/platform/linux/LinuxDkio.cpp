// The disk ioctls on a Linux block device.
#include <cerrno>

#include "linux/LinuxDevices.h"

namespace sol::native {

int dkioIoctl(int, int, void*) {
    errno = ENOTTY;
    return -1;
}

}  // namespace sol::native
