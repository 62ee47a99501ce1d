#include "Dispatch.h"
#include "ShadowBackends.h"
#include "sol/crypt.h"

namespace sol {

spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen) {
    return SOL_DISPATCH(getspnam_r, name, result, buffer, buflen);
}

// Hashing is the platform's own on every backend: a simulated host only changes the accounts.
char* crypt(const char* key, const char* salt) { return native::crypt(key, salt); }

}  // namespace sol
