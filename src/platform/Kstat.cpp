#include <time.h>

#include <cerrno>
#include <cstring>

#include "Dispatch.h"
#include "KstatChain.h"
#include "SysinfoCopy.h"

namespace sol {

namespace {

hrtime_t nowNanoseconds() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<hrtime_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

bool isLayerChain(const kstat_ctl_t* kc) { return kc != nullptr && kc->kc_kd == kLayerChainDescriptor; }

}  // namespace

KstatChain::KstatChain() {
    kc_chain_id = 1;
    kc_chain = nullptr;
    kc_kd = kLayerChainDescriptor;
}

void KstatChain::add(const char* module, int instance, const char* name, const char* ksClass, uchar_t type,
                     size_t dataSize, uint_t ndata, std::unique_ptr<KstatSource> source) {
    entries.emplace_back();
    KstatEntry& e = entries.back();
    kstat_t& ks = e;
    std::memset(&ks, 0, sizeof ks);
    ks.ks_crtime = nowNanoseconds();
    ks.ks_kid = static_cast<kid_t>(entries.size());
    fieldCopy(ks.ks_module, sizeof ks.ks_module, module);
    ks.ks_instance = instance;
    fieldCopy(ks.ks_name, sizeof ks.ks_name, name);
    ks.ks_type = type;
    fieldCopy(ks.ks_class, sizeof ks.ks_class, ksClass);
    ks.ks_ndata = ndata;
    ks.ks_data_size = dataSize;
    e.source = std::move(source);
    if (entries.size() > 1) entries[entries.size() - 2].ks_next = &e;
    kc_chain = &entries.front();
}

kstat_ctl_t* openLayerChain(std::unique_ptr<KstatChain> chain) { return chain.release(); }

int closeLayerChain(kstat_ctl_t* kc) {
    delete static_cast<KstatChain*>(kc);
    return 0;
}

kstat_t* lookupLayerChain(kstat_ctl_t* kc, const char* module, int instance, const char* name) {
    for (kstat_t* ks = kc->kc_chain; ks != nullptr; ks = ks->ks_next) {
        if (module != nullptr && std::strncmp(ks->ks_module, module, KSTAT_STRLEN) != 0) continue;
        if (instance != -1 && ks->ks_instance != instance) continue;
        if (name != nullptr && std::strncmp(ks->ks_name, name, KSTAT_STRLEN) != 0) continue;
        return ks;
    }
    errno = ENOENT;
    return nullptr;
}

kid_t readLayerChain(kstat_ctl_t* kc, kstat_t* ksp, void* buf) {
    auto* entry = static_cast<KstatEntry*>(ksp);
    entry->buffer.assign(entry->ks_data_size, 0);
    if (entry->source && !entry->source->read(entry->buffer.data(), entry->buffer.size())) return -1;
    entry->ks_data = entry->buffer.empty() ? nullptr : entry->buffer.data();
    entry->ks_snaptime = nowNanoseconds();
    if (buf != nullptr && !entry->buffer.empty()) std::memcpy(buf, entry->buffer.data(), entry->buffer.size());
    return kc->kc_chain_id;
}

kstat_ctl_t* kstat_open() {
    if (!sim::active()) return native::kstat_open();
    auto chain = simulated::kstatChain();
    return chain ? openLayerChain(std::move(chain)) : nullptr;
}

int kstat_close(kstat_ctl_t* kc) {
    if (kc == nullptr) {
        errno = EINVAL;
        return -1;
    }
    return isLayerChain(kc) ? closeLayerChain(kc) : native::kstat_close(kc);
}

kstat_t* kstat_lookup(kstat_ctl_t* kc, const char* module, int instance, const char* name) {
    if (kc == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    return isLayerChain(kc) ? lookupLayerChain(kc, module, instance, name)
                            : native::kstat_lookup(kc, module, instance, name);
}

kid_t kstat_read(kstat_ctl_t* kc, kstat_t* ksp, void* buf) {
    if (kc == nullptr || ksp == nullptr) {
        errno = EINVAL;
        return -1;
    }
    return isLayerChain(kc) ? readLayerChain(kc, ksp, buf) : native::kstat_read(kc, ksp, buf);
}

}  // namespace sol
