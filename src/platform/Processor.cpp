#include "Dispatch.h"
#include "ProcessorBackends.h"

namespace sol {

int processor_info(processorid_t processorid, processor_info_t* infop) {
    return SOL_DISPATCH(processor_info, processorid, infop);
}

}  // namespace sol
