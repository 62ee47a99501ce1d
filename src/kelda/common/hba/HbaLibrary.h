// The SNIA HBA API as the HBA natives use it: the common library's header, the layout of the
// FCP target mapping table, the library loaded for one call under the lock that keeps the
// natives from interleaving their calls, and an adapter's handle.
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

// Loads the HBA library for one call and frees it when the call is done. The process-wide
// HBA lock is held meanwhile, so two natives never interleave their library calls.
class HbaLibrary {
public:
    HbaLibrary();
    ~HbaLibrary();
    HbaLibrary(const HbaLibrary&) = delete;
    HbaLibrary& operator=(const HbaLibrary&) = delete;

private:
    std::unique_lock<std::mutex> lock_;
};

// One adapter's handle, opened through the loaded library: closes the adapter on every way out
// of its iteration.
class AdapterHandle {
public:
    explicit AdapterHandle(HbaLibrary& library) : library(library) {}
    ~AdapterHandle();
    AdapterHandle(const AdapterHandle&) = delete;
    AdapterHandle& operator=(const AdapterHandle&) = delete;

    // Names the adapter of index `index` into `name` (256 bytes, always terminated) and, when
    // that works, opens it, trying a second time when the first open gives no handle.
    // True when the adapter is open.
    bool open(HBA_UINT32 index, char (&name)[256]);

    // Refreshes the open adapter's information, except for adapters named with the
    // "SUNW-qlc-" prefix, which are read as they are. True when it refreshed.
    bool refresh(const char* name);

    HbaLibrary& library;
    HBA_HANDLE handle = 0;
    HBA_STATUS status = 0;  // of HBA_GetAdapterName
};
