// The shadow lookup and crypt, as each backend provides them.
#pragma once
#include "sol/shadow.h"

namespace sol {
namespace simulated {
spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen);
}
namespace native {
spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen);
char* crypt(const char* key, const char* salt);
}
}  // namespace sol
