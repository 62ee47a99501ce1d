// Kernel statistics chains built by the platform layer itself (the simulated host and the live
// Linux host). Each statistic has a source that fills its data at every kstat_read.
#pragma once
#include <deque>
#include <memory>
#include <vector>

#include "sol/kstat.h"

namespace sol {

class KstatSource {
public:
    virtual ~KstatSource() = default;
    // Fills `size` bytes of data; false with errno set when the statistic cannot be read.
    virtual bool read(void* data, size_t size) = 0;
};

struct KstatEntry : kstat_t {
    std::unique_ptr<KstatSource> source;
    std::vector<unsigned char> buffer;
};

// kc_kd of a chain built by the layer, telling it apart from a real libkstat handle.
constexpr int kLayerChainDescriptor = -2;

struct KstatChain : kstat_ctl_t {
    KstatChain();
    std::deque<KstatEntry> entries;

    // Appends a statistic whose data is `dataSize` bytes in `ndata` records.
    void add(const char* module, int instance, const char* name, const char* ksClass, uchar_t type,
             size_t dataSize, uint_t ndata, std::unique_ptr<KstatSource> source);
};

// The backends: a new chain, or null with errno.
namespace simulated {
std::unique_ptr<KstatChain> kstatChain();
}
namespace native {
kstat_ctl_t* kstat_open();  // a layer chain on Linux, a libkstat handle on Solaris
int kstat_close(kstat_ctl_t* kc);
kstat_t* kstat_lookup(kstat_ctl_t* kc, const char* module, int instance, const char* name);
kid_t kstat_read(kstat_ctl_t* kc, kstat_t* ksp, void* buf);
}

// The operations on a layer chain.
kstat_ctl_t* openLayerChain(std::unique_ptr<KstatChain> chain);
int closeLayerChain(kstat_ctl_t* kc);
kstat_t* lookupLayerChain(kstat_ctl_t* kc, const char* module, int instance, const char* name);
kid_t readLayerChain(kstat_ctl_t* kc, kstat_t* ksp, void* buf);

}  // namespace sol
