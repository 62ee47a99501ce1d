#include "fsscan/ScanStatus.h"

#include <cerrno>
#include <cstdio>
#include <exception>

void ScanStatus::fail(const char* message) {
    if (value_ == 2) return;
    value_ = 2;
    std::snprintf(message_, sizeof message_, "%s", message);
}

void ScanStatus::failWithError(int error) {
    char message[48];
    getErrorMessage(error, message);
    fail(message);
}

void ScanStatus::failWithWalkError() {
    try {
        throw;
    } catch (const std::exception& e) {  // DbException, or memory running out
        fail(e.what());
    } catch (int) {
        failWithError(errno);
    }
}

// The texts of this table reach Java in the final report and are kept as they are.
void getErrorMessage(int error, char* out) {
    const size_t size = 48;
    if (error >= -30999 && error <= -30800) {
        std::snprintf(out, size, "DB Error %d occurred", error);
        return;
    }
    const char* message;
    switch (error) {
    case ENOENT: message = "No Such File or Directory"; break;
    case EINTR: message = "Interrupted System Call"; break;
    case EBADF: message = "Bad File Number"; break;
    case EACCES: message = "Permission Denied"; break;
    case EFAULT: message = "Bad Address"; break;
    case ENOTDIR: message = "Not a Directory"; break;
    case ENFILE:
    case EMFILE: message = "Too many files open"; break;
    case ENOSPC: message = "A btree exceeded the maximum btree depth (255)."; break;
    case ENOLINK: message = "The link had been severed"; break;
    case ENAMETOOLONG: message = "Path name is too long"; break;
    case EOVERFLOW: message = "Value too long to be stored in data type"; break;
    case ELOOP: message = "Symbolic Link Loop"; break;
    default: message = "Unexpected error during scan process"; break;
    }
    std::snprintf(out, size, "%s", message);
}
