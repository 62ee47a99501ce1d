// <sys/processor.h>: processor information.
#pragma once
#include <cstddef>

#include "sol/types.h"

#if defined(__sun)
#include <sys/processor.h>
#else
namespace sol {

constexpr int PI_TYPELEN = 16;
constexpr int PI_FPUTYPE = 32;

// Processor states.
constexpr int P_OFFLINE = 0x0001;
constexpr int P_ONLINE = 0x0002;
constexpr int P_STATUS = 0x0003;  // query only
constexpr int P_FAULTED = 0x0004;
constexpr int P_BAD = P_FAULTED;
constexpr int P_POWEROFF = 0x0005;
constexpr int P_NOINTR = 0x0006;  // online, shielded from I/O interrupts
constexpr int P_SPARE = 0x0007;

}  // namespace sol
#endif

namespace sol {

struct processor_info_t {
    int pi_state;
    char pi_processor_type[PI_TYPELEN];
    char pi_fputypes[PI_FPUTYPE];
    int pi_clock;  // MHz, 0 when unknown
};
static_assert(sizeof(processor_info_t) == 56, "Solaris processor_info_t layout");
static_assert(offsetof(processor_info_t, pi_clock) == 52, "Solaris processor_info_t layout");

// 0, or -1 with errno (EINVAL for an id no processor answers to).
int processor_info(processorid_t processorid, processor_info_t* infop);

}  // namespace sol
