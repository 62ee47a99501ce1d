// Restores errno when it leaves scope, so that cleanup or lookups made in between do not
// disturb the error the walk reports.
#pragma once
#include <cerrno>

struct ErrnoKeeper {
    int saved = errno;
    ErrnoKeeper() = default;
    ErrnoKeeper(const ErrnoKeeper&) = delete;
    ErrnoKeeper& operator=(const ErrnoKeeper&) = delete;
    ~ErrnoKeeper() { errno = saved; }
};
