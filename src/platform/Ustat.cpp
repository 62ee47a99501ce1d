#include "Dispatch.h"
#include "UstatBackends.h"

namespace sol {

int ustat(dev_t dev, struct ustat* buf) { return SOL_DISPATCH(ustat, dev, buf); }

}  // namespace sol
