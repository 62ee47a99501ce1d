// The simulated host: any text is either refused with one complaint line, or accepted, and
// then every platform call and every call of the simulated adapter vendor library answers
// from it without throwing or failing in any other way.
#include <time.h>  // hbaapi.h needs it first

#include <hbaapi.h>
#include <vendorhbaapi.h>

#include <cstdint>
#include <initializer_list>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "kelda/common/hba/HbaLibrary.h"
#include "sim/SimHost.h"
#include "sol/dirent.h"
#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/ioctl.h"
#include "sol/kstat.h"
#include "sol/mnttab.h"
#include "sol/processor.h"
#include "sol/shadow.h"
#include "sol/stat.h"
#include "sol/statvfs.h"
#include "sol/stdio.h"
#include "sol/systeminfo.h"
#include "sol/unistd.h"
#include "sol/uscsi.h"
#include "sol/ustat.h"
#include "sol/utsname.h"

namespace {

void systemInformation() {
    char small[4], large[300];
    for (int command : {sol::SI_SYSNAME, sol::SI_HOSTNAME, sol::SI_RELEASE, sol::SI_VERSION, sol::SI_MACHINE,
                        sol::SI_ARCHITECTURE, sol::SI_PLATFORM}) {
        sol::sysinfo(command, small, sizeof small);
        sol::sysinfo(command, large, sizeof large);
    }
    sol::utsname names;
    sol::uname(&names);
    for (int name : {sol::_SC_PAGESIZE, sol::_SC_PHYS_PAGES, sol::_SC_AVPHYS_PAGES, sol::_SC_NPROCESSORS_CONF,
                     sol::_SC_CPUID_MAX}) {
        sol::sysconf(name);
    }
    for (sol::processorid_t id = -1; id < 8; ++id) {
        sol::processor_info_t info;
        sol::processor_info(id, &info);
    }
}

void kernelStatistics() {
    sol::kstat_ctl_t* kc = sol::kstat_open();
    if (kc == nullptr) return;
    int walked = 0;
    for (sol::kstat_t* ks = kc->kc_chain; ks != nullptr && walked < 64; ks = ks->ks_next, ++walked) {
        std::vector<unsigned char> data(ks->ks_data_size);
        sol::kstat_read(kc, ks, data.empty() ? nullptr : data.data());
        sol::kstat_read(kc, ks, nullptr);
        sol::kstat_lookup(kc, ks->ks_module, ks->ks_instance, ks->ks_name);
    }
    sol::kstat_lookup(kc, nullptr, -1, "sd0");
    sol::kstat_close(kc);
}

void mountTable() {
    FILE* fp = sol::fopen(sol::MNTTAB, "r");
    if (fp == nullptr) return;
    sol::mnttab entry;
    int result;
    while ((result = sol::getmntent(fp, &entry)) != -1) {
        if (result != 0) continue;
        if (entry.mnt_mountp != nullptr) {
            sol::statvfs64_t capacity;
            sol::statvfs64(entry.mnt_mountp, &capacity);
        }
        if (entry.mnt_special != nullptr) {
            struct sol::stat status;
            if (sol::stat(entry.mnt_special, &status) == 0) {
                struct sol::ustat u;
                sol::ustat(status.st_rdev, &u);
            }
        }
    }
    sol::fclose(fp);
}

void scsiCommand(int fd, std::initializer_list<unsigned char> cdb, int flags, size_t room) {
    std::vector<unsigned char> command(cdb), buffer(room);
    sol::uscsi_cmd cmd{};
    cmd.uscsi_flags = flags;
    cmd.uscsi_cdb = reinterpret_cast<sol::caddr_t>(command.data());
    cmd.uscsi_cdblen = static_cast<sol::uchar_t>(command.size());
    cmd.uscsi_bufaddr = reinterpret_cast<sol::caddr_t>(buffer.data());
    cmd.uscsi_buflen = buffer.size();
    sol::ioctl(fd, sol::USCSICMD, &cmd);
}

void device(const std::string& path, int mode) {
    int fd = sol::open(path.c_str(), mode | sol::O_NDELAY);
    if (fd == -1) return;
    sol::dk_geom geometry;
    sol::vtoc table;
    sol::dk_cinfo info;
    sol::ioctl(fd, sol::DKIOCGGEOM, &geometry);
    sol::ioctl(fd, sol::DKIOCGVTOC, &table);
    sol::ioctl(fd, sol::DKIOCINFO, &info);
    struct sol::stat status;
    sol::fstat(fd, &status);
    for (size_t room : {size_t{0}, size_t{5}, size_t{255}, size_t{65535}}) {
        scsiCommand(fd, {0x12, 0, 0, 0, 0xFF, 0}, sol::USCSI_READ, room);
        scsiCommand(fd, {0x12, 1, 0x80, 0, 0xFF, 0}, sol::USCSI_READ, room);
        scsiCommand(fd, {0x12, 1, 0xC0, 0, 0xFF, 0}, sol::USCSI_READ, room);
        scsiCommand(fd, {0x1C, 1, 0xA0, 0xFF, 0xFF, 0}, sol::USCSI_READ, room);
        scsiCommand(fd, {0x4D, 0, 0x7B, 0, 0, 0, 0, 0xFF, 0xFF, 0}, sol::USCSI_READ, room);
    }
    scsiCommand(fd, {0x4C, 2, 0x70, 0, 0, 0, 0, 0, 4, 0}, sol::USCSI_WRITE, 4);
    sol::close(fd);
}

void deviceNamespace() {
    for (const char* dir : {"/dev/dsk", "/dev/rdsk"}) {
        sol::DIR* d = sol::opendir(dir);
        if (d == nullptr) continue;
        int listed = 0;
        while (sol::dirent* entry = sol::readdir(d)) {
            if (++listed > 64) break;
            std::string path = std::string(dir) + "/" + entry->d_name;
            struct sol::stat status;
            sol::stat(path.c_str(), &status);
            sol::lstat(path.c_str(), &status);
            char link[1024];
            sol::readlink(path.c_str(), link, sizeof link);
            device(path, sol::O_RDONLY);
            device(path, sol::O_RDWR);
        }
        sol::closedir(d);
    }
}

void shadowEntries(const sim::json& root) {
    std::vector<std::string> names = {"", "nobody"};
    auto shadow = root.find("shadow");
    if (shadow != root.end() && shadow->is_object() && shadow->contains("entries") && (*shadow)["entries"].is_array()) {
        for (const auto& e : (*shadow)["entries"]) {
            if (e.is_object() && e.contains("name") && e["name"].is_string()) names.push_back(e["name"]);
        }
    }
    for (const std::string& name : names) {
        sol::spwd entry;
        char small[8], large[4096];
        sol::getspnam_r(name.c_str(), &entry, small, sizeof small);
        sol::getspnam_r(name.c_str(), &entry, large, sizeof large);
    }
}

void adapters() {
    HBA_ENTRYPOINTSV2 vendor;
    HBA_RegisterLibraryV2(&vendor);
    vendor.LoadLibraryHandler();
    HBA_UINT32 count = vendor.GetNumberOfAdaptersHandler();
    for (HBA_UINT32 a = 0; a < count && a < 8; ++a) {
        char name[256] = {};
        if (vendor.GetAdapterNameHandler(a, name) != HBA_STATUS_OK) continue;
        HBA_HANDLE handle = vendor.OpenAdapterHandler(name);
        if (handle == 0) continue;
        vendor.RefreshInformationHandler(handle);
        HBA_ADAPTERATTRIBUTES attributes;
        vendor.GetAdapterAttributesHandler(handle, &attributes);
        for (HBA_UINT32 p = 0; p < attributes.NumberOfPorts && p < 8; ++p) {
            HBA_PORTATTRIBUTES port;
            HBA_PORTSTATISTICS statistics;
            if (vendor.GetAdapterPortAttributesHandler(handle, p, &port) != HBA_STATUS_OK) continue;
            vendor.GetPortStatisticsHandler(handle, p, &statistics);
            for (HBA_UINT32 d = 0; d < port.NumberofDiscoveredPorts && d < 8; ++d) {
                HBA_PORTATTRIBUTES discovered;
                vendor.GetDiscoveredPortAttributesHandler(handle, p, d, &discovered);
            }
        }
        // A table of two entries, then one of the size asked for (within reason).
        std::vector<unsigned char> bytes(mappingTableBytes(2));
        auto* table = reinterpret_cast<HBA_FCPTARGETMAPPING*>(bytes.data());
        table->NumberOfEntries = 2;
        if (vendor.GetFcpTargetMappingHandler(handle, table) == HBA_STATUS_ERROR_MORE_DATA &&
            table->NumberOfEntries <= 4096) {
            HBA_UINT32 wanted = table->NumberOfEntries;
            bytes.assign(mappingTableBytes(wanted), 0);
            table = reinterpret_cast<HBA_FCPTARGETMAPPING*>(bytes.data());
            table->NumberOfEntries = wanted;
            vendor.GetFcpTargetMappingHandler(handle, table);
        }
        vendor.CloseAdapterHandler(handle);
    }
    vendor.FreeLibraryHandler();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    sim::json root;
    try {
        root = sim::json::parse(text);
        sim::validate(root);
    } catch (const std::exception& e) {
        // Refused: the host writes this as its one complaint line.
        if (std::strchr(e.what(), '\n') != nullptr) __builtin_trap();
        return 0;
    }
    // Accepted: the platform answers from it; nothing may throw out of a platform call.
    fuzzsupport::useSimulatedHost(text);
    systemInformation();
    kernelStatistics();
    mountTable();
    deviceNamespace();
    shadowEntries(root);
    adapters();
    return 0;
}
