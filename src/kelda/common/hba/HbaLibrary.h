// The SNIA HBA API as the HBA natives use it: the common library's header, the layout of the
// FCP target mapping table, and the lock that keeps the natives from interleaving their calls.
#pragma once
#include <time.h>  // hbaapi.h uses time_t without including it

#include <hbaapi.h>

#include <cstddef>
#include <mutex>

// The mapping table is a 32-bit count followed by the entries from byte 8. Sizes are taken
// from the records themselves; these layouts hold where 64-bit integers are 8-aligned.
constexpr size_t kMappingTableHeader = offsetof(HBA_FCPTARGETMAPPING, entry);
constexpr size_t mappingTableBytes(size_t entries) { return kMappingTableHeader + entries * sizeof(HBA_FCPSCSIENTRY); }
static_assert(sizeof(HBA_FCPSCSIENTRY) == 304, "an FCP mapping entry is 304 bytes");
static_assert(kMappingTableHeader == 8, "mapping entries start at byte 8");
static_assert(sizeof(HBA_WWN) == 8, "a world-wide name is 8 bytes");

// The common library keeps its adapter list and the vendor libraries' state without locks,
// and the natives format into process-wide text buffers: one HBA native runs at a time.
std::mutex& hbaLibraryLock();
