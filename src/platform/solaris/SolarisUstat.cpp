// ustat(2), passed through unchanged.
#include <ustat.h>

#include "UstatBackends.h"
#include "solaris/SameLayout.h"

namespace sol::native {

SOL_SAME_SIZE(struct sol::ustat, struct ::ustat);
SOL_SAME_MEMBER(struct sol::ustat, struct ::ustat, f_tinode);
SOL_SAME_MEMBER(struct sol::ustat, struct ::ustat, f_fname);
SOL_SAME_MEMBER(struct sol::ustat, struct ::ustat, f_fpack);

int ustat(dev_t dev, struct sol::ustat* buf) { return ::ustat(dev, reinterpret_cast<struct ::ustat*>(buf)); }

}  // namespace sol::native
