#include <cerrno>

#include "CallRoom.h"
#include "Dispatch.h"
#include "ProcessorBackends.h"

namespace sol {

// The committed structure has four members, but one development line of the platform appended
// two more (72 bytes in all) that its kernel writes out: the backend is handed room for 128
// bytes and the caller gets the four members.
constexpr size_t kProcessorInfoRoom = 128;

int processor_info(processorid_t processorid, processor_info_t* infop) {
    if (infop == nullptr) {
        errno = EFAULT;
        return -1;
    }
    return callWithRoom<kProcessorInfoRoom>(
        infop, [processorid](processor_info_t* room) { return SOL_DISPATCH(processor_info, processorid, room); });
}

}  // namespace sol
