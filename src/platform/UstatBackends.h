// ustat, as each backend provides it.
#pragma once
#include "sol/ustat.h"

namespace sol {
namespace simulated {
int ustat(dev_t dev, struct ustat* buf);
}  // namespace simulated
namespace native {
int ustat(dev_t dev, struct ustat* buf);
}  // namespace native
}  // namespace sol
