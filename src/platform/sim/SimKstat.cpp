// The kernel statistics chain of the simulated host.
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "KstatChain.h"
#include "sim/SimHost.h"
#include "sol/sysinfo.h"

namespace sol::simulated {

namespace {

using sim::json;

class FailingSource : public KstatSource {
public:
    bool read(void*, size_t) override {
        errno = EIO;
        return false;
    }
};

// unix:0:vminfo: every read is one kernel update, adding the page counts to the running sums.
class VminfoSource : public KstatSource {
public:
    VminfoSource(std::shared_ptr<const sim::Host> host, std::string key, const json& counts)
        : host_(std::move(host)), key_(std::move(key)) {
        counts_.freemem = sim::number<uint64_t>(counts, "freemem");
        counts_.swap_resv = sim::number<uint64_t>(counts, "swap_resv");
        counts_.swap_alloc = sim::number<uint64_t>(counts, "swap_alloc");
        counts_.swap_avail = sim::number<uint64_t>(counts, "swap_avail");
        counts_.swap_free = sim::number<uint64_t>(counts, "swap_free");
    }
    bool read(void* data, size_t size) override {
        uint64_t updates = host_->nextUpdate(key_);
        vminfo_t sums;
        sums.freemem = counts_.freemem * updates;
        sums.swap_resv = counts_.swap_resv * updates;
        sums.swap_alloc = counts_.swap_alloc * updates;
        sums.swap_avail = counts_.swap_avail * updates;
        sums.swap_free = counts_.swap_free * updates;
        std::memcpy(data, &sums, size < sizeof sums ? size : sizeof sums);
        return true;
    }

private:
    std::shared_ptr<const sim::Host> host_;
    std::string key_;
    vminfo_t counts_{};
};

// A fixed record, the same at every read.
template <class Record>
class FixedSource : public KstatSource {
public:
    explicit FixedSource(const Record& record) : record_(record) {}
    bool read(void* data, size_t size) override {
        std::memcpy(data, &record_, size < sizeof record_ ? size : sizeof record_);
        return true;
    }

private:
    Record record_;
};

cpu_stat_t cpuStat(const json& cpu) {
    cpu_stat_t stat{};
    stat.cpu_sysinfo.cpu[CPU_IDLE] = static_cast<uint_t>(sim::number<uint64_t>(cpu, "idle"));
    stat.cpu_sysinfo.cpu[CPU_USER] = static_cast<uint_t>(sim::number<uint64_t>(cpu, "user"));
    stat.cpu_sysinfo.cpu[CPU_KERNEL] = static_cast<uint_t>(sim::number<uint64_t>(cpu, "kernel"));
    stat.cpu_sysinfo.cpu[CPU_WAIT] = static_cast<uint_t>(sim::number<uint64_t>(cpu, "wait"));
    return stat;
}

// Every member from the description's number of the same name, in the member's own type.
kstat_io_t ioStat(const json& io) {
    kstat_io_t stat{};
#define SIM_IO_MEMBER(member) stat.member = sim::number<decltype(stat.member)>(io, #member);
    SIM_IO_MEMBER(nread) SIM_IO_MEMBER(nwritten) SIM_IO_MEMBER(reads) SIM_IO_MEMBER(writes)
    SIM_IO_MEMBER(wtime) SIM_IO_MEMBER(wlentime) SIM_IO_MEMBER(wlastupdate) SIM_IO_MEMBER(rtime)
    SIM_IO_MEMBER(rlentime) SIM_IO_MEMBER(rlastupdate) SIM_IO_MEMBER(wcnt) SIM_IO_MEMBER(rcnt)
#undef SIM_IO_MEMBER
    return stat;
}

uchar_t typeOf(const json& item) {
    std::string type = item.value("type", std::string(item.contains("io") ? "io" : "raw"));
    if (type == "named") return KSTAT_TYPE_NAMED;
    if (type == "intr") return KSTAT_TYPE_INTR;
    if (type == "io") return KSTAT_TYPE_IO;
    if (type == "timer") return KSTAT_TYPE_TIMER;
    return KSTAT_TYPE_RAW;
}

// A statistic of the description, read from its JSON once per loaded description.
struct KstatRecord {
    std::string module, name, ksClass;
    int instance = 0;
    uchar_t type = KSTAT_TYPE_RAW;
    enum class Data { none, vminfo, cpu, io } data = Data::none;
    const json* vminfo = nullptr;
    cpu_stat_t cpu{};
    kstat_io_t io{};
    bool readFails = false;
};

struct KstatRecords {
    explicit KstatRecords(const sim::Host& host) {
        const json& section = host.section("kstat");
        if (!section.is_object() || !section.contains("chain") || !section["chain"].is_array()) return;
        for (const json& item : section["chain"]) {
            KstatRecord r;
            r.module = item.value("module", std::string());
            r.instance = item.value("instance", 0);
            r.name = item.value("name", std::string());
            r.ksClass = item.value("class", std::string());
            r.type = typeOf(item);
            if (item.contains("vminfo") && !item["vminfo"].is_null()) {
                r.data = KstatRecord::Data::vminfo;
                r.vminfo = &item["vminfo"];
            } else if (item.contains("cpu") && !item["cpu"].is_null()) {
                r.data = KstatRecord::Data::cpu;
                r.cpu = cpuStat(item["cpu"]);
            } else if (item.contains("io") && !item["io"].is_null()) {
                r.data = KstatRecord::Data::io;
                r.io = ioStat(item["io"]);
            }
            r.readFails = item.value("read_fails", false);
            records.push_back(std::move(r));
        }
    }
    std::vector<KstatRecord> records;
};

}  // namespace

std::unique_ptr<KstatChain> kstatChain() {
    auto host = sim::host();
    if (!host) {
        errno = ENXIO;
        return nullptr;
    }
    const json& section = host->section("kstat");
    if (section.is_object() && section.value("open_fails", false)) {
        errno = ENXIO;
        return nullptr;
    }
    auto chain = std::make_unique<KstatChain>();
    auto records = host->derived<KstatRecords>(
        [](const sim::Host& h) { return std::make_shared<const KstatRecords>(h); });
    for (const KstatRecord& r : records->records) {
        std::unique_ptr<KstatSource> source;
        size_t size = 0;
        uint_t ndata = 0;
        switch (r.data) {
        case KstatRecord::Data::vminfo:
            source = std::make_unique<VminfoSource>(host, r.module + ":" + std::to_string(r.instance) + ":" + r.name,
                                                    *r.vminfo);
            size = sizeof(vminfo_t);
            ndata = 1;
            break;
        case KstatRecord::Data::cpu:
            source = std::make_unique<FixedSource<cpu_stat_t>>(r.cpu);
            size = sizeof(cpu_stat_t);
            ndata = 1;
            break;
        case KstatRecord::Data::io:
            source = std::make_unique<FixedSource<kstat_io_t>>(r.io);
            size = sizeof(kstat_io_t);
            ndata = 1;
            break;
        case KstatRecord::Data::none:
            break;
        }
        if (r.readFails) source = std::make_unique<FailingSource>();
        chain->add(r.module.c_str(), r.instance, r.name.c_str(), r.ksClass.c_str(), r.type, size, ndata,
                   std::move(source));
    }
    return chain;
}

}  // namespace sol::simulated
