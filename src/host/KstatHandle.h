// An open kernel statistics handle, closed on every way out of its scope.
#pragma once
#include <string>

#include "jni/NativeError.h"
#include "sol/kstat.h"

class KstatHandle {
public:
    // Opens the kernel statistics; raises NativeError with `failure` when they cannot be opened.
    explicit KstatHandle(const char* failure) : kc(sol::kstat_open()) {
        if (kc == nullptr) throw jni::NativeError(failure);
    }
    ~KstatHandle() { sol::kstat_close(kc); }
    KstatHandle(const KstatHandle&) = delete;
    KstatHandle& operator=(const KstatHandle&) = delete;

    sol::kstat_ctl_t* const kc;
};
