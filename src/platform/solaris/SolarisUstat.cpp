// ustat(2), passed through unchanged.
#include <ustat.h>

#include "UstatBackends.h"

namespace sol::native {

int ustat(dev_t dev, struct sol::ustat* buf) { return ::ustat(dev, reinterpret_cast<struct ::ustat*>(buf)); }

}  // namespace sol::native
