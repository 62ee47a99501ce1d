// System information, kernel statistics, processors, the mount table and the shadow names.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <thread>

#include "capture/HostCapture.h"
#include "sol/kstat.h"
#include "sol/mnttab.h"
#include "sol/processor.h"
#include "sol/shadow.h"
#include "sol/statvfs.h"
#include "sol/stdio.h"
#include "sol/sysinfo.h"
#include "sol/systeminfo.h"
#include "sol/unistd.h"
#include "sol/utsname.h"

namespace capture {

namespace {

// The value of sysinfo(command): the buffer grows to the size the call asks for (bounded).
bool sysinfoValue(int command, std::string& value) {
    std::vector<char> buffer(257);
    for (;;) {
        int needed = sol::sysinfo(command, buffer.data(), static_cast<long>(buffer.size()));
        if (needed < 0) return false;
        if (static_cast<size_t>(needed) <= buffer.size() || buffer.size() >= 65536) break;
        buffer.assign(static_cast<size_t>(needed), 0);
    }
    buffer.back() = '\0';
    value = buffer.data();
    return true;
}

const char* typeName(unsigned char type) {
    static const char* const names[] = {"raw", "named", "intr", "io", "timer"};
    return type < sizeof names / sizeof names[0] ? names[type] : nullptr;
}

std::string statisticName(const sol::kstat_t* ksp) {
    return std::string(ksp->ks_module, strnlen(ksp->ks_module, sizeof ksp->ks_module)) + ":" +
           std::to_string(ksp->ks_instance) + ":" + std::string(ksp->ks_name, strnlen(ksp->ks_name, sizeof ksp->ks_name));
}

// The record of a statistic read into `out`, at most its own size.
template <class Record>
bool readRecord(sol::kstat_ctl_t* kc, sol::kstat_t* ksp, Record& out) {
    if (sol::kstat_read(kc, ksp, nullptr) == -1 || ksp->ks_data == nullptr) return false;
    out = Record{};
    std::memcpy(&out, ksp->ks_data, ksp->ks_data_size < sizeof out ? ksp->ks_data_size : sizeof out);
    return true;
}

json ioRecord(const sol::kstat_io_t& io) {
    return {{"nread", io.nread}, {"nwritten", io.nwritten}, {"reads", io.reads}, {"writes", io.writes},
            {"wtime", io.wtime}, {"wlentime", io.wlentime}, {"wlastupdate", io.wlastupdate}, {"rtime", io.rtime},
            {"rlentime", io.rlentime}, {"rlastupdate", io.rlastupdate}, {"wcnt", io.wcnt}, {"rcnt", io.rcnt}};
}

// The page counts the kernel adds to unix:0:vminfo at each update: the difference of two reads
// a second apart, as the natives take it.
json vminfoCounts(sol::kstat_ctl_t* kc, sol::kstat_t* ksp) {
    sol::vminfo_t first, second;
    if (!readRecord(kc, ksp, first)) return nullptr;
    std::this_thread::sleep_for(std::chrono::seconds(1));
    if (!readRecord(kc, ksp, second)) return nullptr;
    return {{"freemem", second.freemem - first.freemem}, {"swap_resv", second.swap_resv - first.swap_resv},
            {"swap_alloc", second.swap_alloc - first.swap_alloc}, {"swap_avail", second.swap_avail - first.swap_avail},
            {"swap_free", second.swap_free - first.swap_free}};
}

const char* stateName(int state) {
    switch (state) {
    case SOL(P_ONLINE): return "online";
    case SOL(P_OFFLINE): return "offline";
    case SOL(P_NOINTR): return "no-intr";
    case SOL(P_SPARE): return "spare";
    case SOL(P_FAULTED): return "faulted";
    case SOL(P_POWEROFF): return "powered-off";
    default: return nullptr;
    }
}

}  // namespace

void captureSystem(json& host, CaptureLog& log) {
    static const std::pair<const char*, int> commands[] = {
        {"sysname", SOL(SI_SYSNAME)}, {"hostname", SOL(SI_HOSTNAME)}, {"release", SOL(SI_RELEASE)},
        {"version", SOL(SI_VERSION)}, {"machine", SOL(SI_MACHINE)}, {"architecture", SOL(SI_ARCHITECTURE)},
        {"platform", SOL(SI_PLATFORM)}};
    json info = json::object(), fails = json::array();
    for (const auto& [name, command] : commands) {
        std::string value;
        if (sysinfoValue(command, value)) {
            info[name] = textField(value.c_str(), value.size());
        } else {
            log.failedErrno("sysinfo", name, errno);
            fails.push_back(name);
        }
    }
    if (!fails.empty()) info["fail"] = fails;
    host["sysinfo"] = info;

    sol::utsname names;
    if (sol::uname(&names) < 0) {
        log.failedErrno("uname", "", errno);
        host["uname"] = {{"fail", true}};
    } else {
        host["uname"] = {{"sysname", textField(names.sysname, sizeof names.sysname)},
                         {"nodename", textField(names.nodename, sizeof names.nodename)},
                         {"release", textField(names.release, sizeof names.release)},
                         {"version", textField(names.version, sizeof names.version)},
                         {"machine", textField(names.machine, sizeof names.machine)}};
    }

    static const std::pair<const char*, int> limits[] = {
        {"pagesize", SOL(_SC_PAGESIZE)}, {"phys_pages", SOL(_SC_PHYS_PAGES)}, {"avphys_pages", SOL(_SC_AVPHYS_PAGES)},
        {"nprocessors_conf", SOL(_SC_NPROCESSORS_CONF)}, {"cpuid_max", SOL(_SC_CPUID_MAX)}};
    json conf = json::object();
    for (const auto& [name, limit] : limits) {
        long value = sol::sysconf(limit);
        if (value != -1) conf[name] = value;  // a name left out answers -1 on replay, as here
    }
    host["sysconf"] = conf;
}

void captureStatistics(json& host, CaptureLog& log) {
    sol::kstat_ctl_t* kc = sol::kstat_open();
    if (kc == nullptr) {
        log.failedErrno("kstat_open", "", errno);
        host["kstat"] = {{"open_fails", true}};
        return;
    }
    json chain = json::array();
    for (sol::kstat_t* ksp = kc->kc_chain; ksp != nullptr; ksp = ksp->ks_next) {
        const char* type = typeName(ksp->ks_type);
        if (type == nullptr) continue;  // no such type in the format
        json item = {{"module", std::string(ksp->ks_module, strnlen(ksp->ks_module, sizeof ksp->ks_module))},
                     {"instance", ksp->ks_instance},
                     {"name", std::string(ksp->ks_name, strnlen(ksp->ks_name, sizeof ksp->ks_name))},
                     {"class", std::string(ksp->ks_class, strnlen(ksp->ks_class, sizeof ksp->ks_class))},
                     {"type", type}};
        const std::string module = item["module"], name = item["name"];
        // The statistics the natives read: vminfo, the processors' ticks, disk I/O.
        bool readFailed = false;
        if (ksp->ks_type == SOL(KSTAT_TYPE_RAW) && module == "unix" && name == "vminfo") {
            json counts = vminfoCounts(kc, ksp);
            readFailed = counts.is_null();
            if (!readFailed) item["vminfo"] = counts;
        } else if (ksp->ks_type == SOL(KSTAT_TYPE_RAW) && module == "cpu_stat") {
            sol::cpu_stat_t cpu;
            readFailed = !readRecord(kc, ksp, cpu);
            if (!readFailed) {
                const sol::uint_t* ticks = cpu.cpu_sysinfo.cpu;
                item["cpu"] = {{"idle", ticks[SOL(CPU_IDLE)]}, {"user", ticks[SOL(CPU_USER)]},
                               {"kernel", ticks[SOL(CPU_KERNEL)]}, {"wait", ticks[SOL(CPU_WAIT)]}};
            }
        } else if (ksp->ks_type == SOL(KSTAT_TYPE_IO)) {
            sol::kstat_io_t io;
            readFailed = !readRecord(kc, ksp, io);
            if (!readFailed) item["io"] = ioRecord(io);
        }
        if (readFailed) {
            log.failedErrno("kstat_read", statisticName(ksp), errno);
            item["read_fails"] = true;
        }
        chain.push_back(std::move(item));
    }
    sol::kstat_close(kc);
    host["kstat"] = {{"chain", chain}};
}

void captureProcessors(json& host, CaptureLog& log) {
    long last = sol::sysconf(SOL(_SC_CPUID_MAX));
    if (last < 0) last = 1023;  // no maximum known: the ids a large host uses
    json list = json::array();
    for (long id = 0; id <= last && id <= 65535; ++id) {
        sol::processor_info_t info;
        if (sol::processor_info(static_cast<sol::processorid_t>(id), &info) != 0) {
            if (errno != EINVAL) log.failedErrno("processor_info", std::to_string(id), errno);
            continue;
        }
        const char* state = stateName(info.pi_state);
        if (state == nullptr) {
            log.failed("processor_info", std::to_string(id), "state " + std::to_string(info.pi_state) + " has no name");
            continue;
        }
        list.push_back({{"id", id}, {"type", textField(info.pi_processor_type, sizeof info.pi_processor_type)},
                        {"state", state}, {"clock", info.pi_clock}});
    }
    host["processors"] = list;
}

void captureMounts(json& host, CaptureLog& log) {
    FILE* table = sol::fopen(SOL(MNTTAB), "r");
    if (table == nullptr) {
        log.failedErrno("fopen", SOL(MNTTAB), errno);
        host["mnttab"] = {{"unreadable", true}};
        return;
    }
    json entries = json::array();
    sol::mnttab entry;
    int result;
    while ((result = sol::getmntent(table, &entry)) != -1) {
        if (result > 0) {
            log.failed("getmntent", SOL(MNTTAB), "malformed line (" + std::to_string(result) + ")");
            continue;
        }
        json item = json::object();
        const std::pair<const char*, const char*> fields[] = {{"special", entry.mnt_special},
            {"mountp", entry.mnt_mountp}, {"fstype", entry.mnt_fstype}, {"options", entry.mnt_mntopts},
            {"time", entry.mnt_time}};
        for (const auto& [key, value] : fields) {
            if (value != nullptr) item[key] = textField(value, std::strlen(value));
        }
        // The capacities the natives read: those of UFS and NFS mounts.
        std::string type = entry.mnt_fstype != nullptr ? entry.mnt_fstype : "";
        if ((type == "ufs" || type == "nfs") && entry.mnt_mountp != nullptr) {
            sol::statvfs64_t fs;
            if (sol::statvfs64(entry.mnt_mountp, &fs) == 0) {
                item["statvfs"] = {{"bsize", fs.f_bsize}, {"frsize", fs.f_frsize}, {"blocks", fs.f_blocks},
                                   {"bfree", fs.f_bfree}, {"bavail", fs.f_bavail}, {"files", fs.f_files},
                                   {"ffree", fs.f_ffree}};
            } else {
                log.failedErrno("statvfs64", entry.mnt_mountp, errno);
                item["statvfs_fails"] = true;
            }
        }
        entries.push_back(std::move(item));
    }
    sol::fclose(table);
    host["mnttab"] = {{"entries", entries}};
}

json redactedPassword(const char* field) {
    if (field == nullptr) return nullptr;
    if (*field == '\0') return "";
    return "*";
}

void captureShadow(json& host, CaptureLog& log, const CaptureOptions& options) {
    // The names: each account of the password file (its first field), then those asked for.
    std::vector<std::string> names;
    std::set<std::string> seen;
    if (FILE* passwd = std::fopen(options.passwdFile.c_str(), "r")) {
        char line[4096];
        while (std::fgets(line, sizeof line, passwd) != nullptr) {
            size_t length = std::strcspn(line, ":\n");
            if (length > 0 && line[0] != '#' && line[0] != '+' && line[0] != '-') names.emplace_back(line, length);
        }
        std::fclose(passwd);
    } else {
        log.failedErrno("fopen", options.passwdFile, errno);
    }
    names.insert(names.end(), options.users.begin(), options.users.end());

    json entries = json::array();
    for (const std::string& name : names) {
        if (!seen.insert(name).second) continue;
        std::vector<char> buffer(1024);
        sol::spwd entry;
        sol::spwd* found = nullptr;
        for (;;) {
            errno = 0;
            found = sol::getspnam_r(name.c_str(), &entry, buffer.data(), static_cast<int>(buffer.size()));
            if (found != nullptr || errno != ERANGE || buffer.size() >= (1u << 20)) break;
            buffer.resize(buffer.size() * 2);
        }
        if (found == nullptr) {
            if (errno != 0 && errno != ENOENT) log.failedErrno("getspnam_r", name, errno);
            continue;
        }
        entries.push_back({{"name", name}, {"passwd", redactedPassword(found->sp_pwdp)}});
    }
    host["shadow"] = {{"entries", entries}};
}

}  // namespace capture
