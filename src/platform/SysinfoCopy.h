// Copies a value with the return convention of Solaris sysinfo(2).
#pragma once
#include <cerrno>
#include <cstring>
#include <string>

namespace sol {

// Copies at most count-1 bytes and a terminator; returns the size the whole value needs.
inline int sysinfoCopy(const std::string& value, char* buf, long count) {
    if (count < 0 || (count > 0 && buf == nullptr)) {
        errno = count < 0 ? EINVAL : EFAULT;
        return -1;
    }
    if (count > 0) {
        size_t n = value.size() < static_cast<size_t>(count - 1) ? value.size() : static_cast<size_t>(count - 1);
        std::memcpy(buf, value.data(), n);
        buf[n] = '\0';
    }
    return static_cast<int>(value.size() + 1);
}

// Copies text into a fixed field of `size` bytes, cut to size-1 bytes and terminated.
inline void fieldCopy(char* field, size_t size, const std::string& value) {
    size_t n = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(field, value.data(), n);
    std::memset(field + n, 0, size - n);
}

}  // namespace sol
