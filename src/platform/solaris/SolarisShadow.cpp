// getspnam_r and crypt of the Solaris C library, passed through unchanged.
#include <crypt.h>
#include <shadow.h>

#include "ShadowBackends.h"

namespace sol::native {

spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen) {
    return reinterpret_cast<spwd*>(::getspnam_r(name, reinterpret_cast<struct ::spwd*>(result), buffer, buflen));
}

char* crypt(const char* key, const char* salt) { return ::crypt(key, salt); }

}  // namespace sol::native
