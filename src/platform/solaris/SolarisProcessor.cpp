// processor_info(2), passed through unchanged.
#include <sys/processor.h>

#include "ProcessorBackends.h"

namespace sol::native {

int processor_info(processorid_t processorid, processor_info_t* infop) {
    return ::processor_info(processorid, reinterpret_cast<::processor_info_t*>(infop));
}

}  // namespace sol::native
