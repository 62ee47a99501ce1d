// Shared by the fuzz targets: a simulated host description the platform layer answers from.
#pragma once
#include <cstddef>
#include <string>

namespace fuzzsupport {

// Makes `description` the simulated host of the following platform calls. Each call names a
// file other than the last one, so the host is loaded afresh whatever the file's identity.
void useSimulatedHost(const std::string& description);

}  // namespace fuzzsupport
