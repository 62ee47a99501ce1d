// ioctl(2) on descriptors opened through sol::open.
#pragma once

namespace sol {

// The request's result, or -1 with errno (ENOTTY for a request the device does not know).
int ioctl(int fd, int request, void* arg);

}  // namespace sol
