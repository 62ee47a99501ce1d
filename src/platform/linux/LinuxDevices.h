// The disk ioctls and the SCSI pass-through on real Linux descriptors.
#pragma once

namespace sol::native {

// The request's result, or -1 with errno.
int dkioIoctl(int fd, int request, void* arg);
int uscsiIoctl(int fd, int request, void* arg);

}  // namespace sol::native
