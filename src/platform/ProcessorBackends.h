// processor_info, as each backend provides it.
#pragma once
#include "sol/processor.h"

namespace sol {
namespace simulated {
int processor_info(processorid_t processorid, processor_info_t* infop);
}
namespace native {
int processor_info(processorid_t processorid, processor_info_t* infop);
}
}  // namespace sol
