// Chooses the backend of one platform call: the simulated host when HOSTPROBE_SIMHOST is set,
// else the native backend of the build platform (namespace sol::native: linux or solaris).
#pragma once
#include "sim/SimHost.h"

namespace sol {

// Runs the simulated call or the native one, decided afresh for every call.
#define SOL_DISPATCH(function, ...) \
    (::sim::active() ? ::sol::simulated::function(__VA_ARGS__) : ::sol::native::function(__VA_ARGS__))

}  // namespace sol
