// processor_info(2), passed through unchanged (sol::processor_info hands it room for more
// than the four members).
#include <sys/processor.h>

#include "ProcessorBackends.h"
#include "solaris/SameLayout.h"

namespace sol::native {

SOL_SAME_SIZE(sol::processor_info_t, ::processor_info_t);
SOL_SAME_MEMBER(sol::processor_info_t, ::processor_info_t, pi_processor_type);
SOL_SAME_MEMBER(sol::processor_info_t, ::processor_info_t, pi_fputypes);
SOL_SAME_MEMBER(sol::processor_info_t, ::processor_info_t, pi_clock);

int processor_info(processorid_t processorid, processor_info_t* infop) {
    return ::processor_info(processorid, reinterpret_cast<::processor_info_t*>(infop));
}

}  // namespace sol::native
