// <crypt.h>: the platform's own password hashing.
#pragma once

namespace sol {

// The hash of `key` in the scheme and with the salt that `salt` (a stored hash, or a bare
// salt) names: per-thread storage overwritten by the next call, or NULL when the setting is
// refused.
char* crypt(const char* key, const char* salt);

}  // namespace sol
