// The shadow lookup of the live Linux host (glibc, /etc/shadow) in the Solaris form, and the
// platform's crypt (libxcrypt).
#include <crypt.h>
#include <shadow.h>

#include <cerrno>
#include <climits>

#include "ShadowBackends.h"

namespace sol::native {

namespace {

int narrow(long value) { return value < INT_MIN || value > INT_MAX ? -1 : static_cast<int>(value); }

}  // namespace

spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen) {
    if (name == nullptr || result == nullptr || buffer == nullptr || buflen < 0) {
        errno = EINVAL;
        return nullptr;
    }
    struct ::spwd entry;
    struct ::spwd* found = nullptr;
    int rc = ::getspnam_r(name, &entry, buffer, static_cast<size_t>(buflen), &found);
    if (rc != 0) {
        errno = rc;  // ERANGE when the buffer is too small, as on Solaris
        return nullptr;
    }
    if (found == nullptr) return nullptr;
    // The strings already lie in the caller's buffer; the numbers narrow to the Solaris ints.
    result->sp_namp = entry.sp_namp;
    result->sp_pwdp = entry.sp_pwdp;
    result->sp_lstchg = narrow(entry.sp_lstchg);
    result->sp_min = narrow(entry.sp_min);
    result->sp_max = narrow(entry.sp_max);
    result->sp_warn = narrow(entry.sp_warn);
    result->sp_inact = narrow(entry.sp_inact);
    result->sp_expire = narrow(entry.sp_expire);
    result->sp_flag = static_cast<unsigned int>(entry.sp_flag);
    return result;
}

char* crypt(const char* key, const char* salt) {
    // Per-thread storage, as the Solaris crypt keeps it; NULL (not a failure token) on refusal.
    thread_local struct ::crypt_data data;
    return ::crypt_rn(key, salt, &data, sizeof data);
}

}  // namespace sol::native
