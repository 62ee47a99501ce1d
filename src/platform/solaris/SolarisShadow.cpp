// getspnam_r and crypt of the Solaris C library, passed through unchanged.
#include <crypt.h>
#include <shadow.h>

#include "ShadowBackends.h"
#include "solaris/SameLayout.h"

namespace sol::native {

SOL_SAME_SIZE(sol::spwd, struct ::spwd);
SOL_SAME_MEMBER(sol::spwd, struct ::spwd, sp_pwdp);
SOL_SAME_MEMBER(sol::spwd, struct ::spwd, sp_lstchg);
SOL_SAME_MEMBER(sol::spwd, struct ::spwd, sp_flag);

spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen) {
    return reinterpret_cast<spwd*>(::getspnam_r(name, reinterpret_cast<struct ::spwd*>(result), buffer, buflen));
}

char* crypt(const char* key, const char* salt) { return ::crypt(key, salt); }

}  // namespace sol::native
