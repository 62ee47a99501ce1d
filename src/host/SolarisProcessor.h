// Processors: id, type, state and clock rate from processor_info.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ProcessorInfo {
    int32_t id;
    std::string type;
    std::string status;  // "online", or "offline" for every other state
    int32_t clock;       // MHz
};

// The configured processors (at most 128) in increasing id order.
std::vector<ProcessorInfo> GetProcessors();

// The processor `id`; raises NativeError when no processor answers to it.
ProcessorInfo GetProcessorInfo(int id);
