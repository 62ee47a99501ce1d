// The disk ioctls of a simulated device, answered from its disk's description.
#include <cerrno>
#include <cstring>
#include <string>

#include "SysinfoCopy.h"
#include "sim/SimDevices.h"
#include "sol/dkio.h"

namespace sol::simulated {

namespace {

using sim::json;

// The disk's section `key`: null when absent or null.
const json& section(const json& disk, const char* key) {
    static const json none;
    auto it = disk.find(key);
    return it == disk.end() ? none : *it;
}

unsigned short u16(const json& object, const char* key) { return sim::number<unsigned short>(object, key); }

int fail(int error) {
    errno = error;
    return -1;
}

// Copies exact bytes into a fixed field, zero-filled, without adding a terminator.
void bytesCopy(char* field, size_t size, const std::string& value) {
    std::memset(field, 0, size);
    std::memcpy(field, value.data(), value.size() < size ? value.size() : size);
}

int geometry(const sim::OpenDevice& dev, dk_geom* g) {
    const json& geom = section(*dev.disk, "geometry");
    if (!geom.is_object()) return fail(ENOTTY);
    if (dev.readWrite() && dev.disk->value("geometry_fails_rw", false)) return fail(ENOTTY);
    std::memset(g, 0, sizeof *g);
    g->dkg_ncyl = u16(geom, "ncyl");
    g->dkg_acyl = u16(geom, "acyl");
    g->dkg_bcyl = u16(geom, "bcyl");
    g->dkg_nhead = u16(geom, "nhead");
    g->dkg_nsect = u16(geom, "nsect");
    g->dkg_intrlv = u16(geom, "intrlv");
    g->dkg_apc = u16(geom, "apc");
    g->dkg_rpm = u16(geom, "rpm");
    g->dkg_pcyl = u16(geom, "pcyl");
    g->dkg_write_reinstruct = u16(geom, "write_reinstruct");
    g->dkg_read_reinstruct = u16(geom, "read_reinstruct");
    return 0;
}

int tableOfContents(const sim::OpenDevice& dev, vtoc* v) {
    const json& table = section(*dev.disk, "vtoc");
    if (!table.is_object()) return fail(EINVAL);
    std::memset(v, 0, sizeof *v);
    v->v_sanity = VTOC_SANE;
    v->v_version = V_VERSION;
    bytesCopy(v->v_volume, sizeof v->v_volume, sim::text(table, "volume"));
    v->v_sectorsz = sim::number<ushort_t>(table, "sectorsz", 512);
    v->v_nparts = V_NUMPAR;
    const json& parts = section(table, "parts");
    if (parts.is_array()) {
        for (size_t i = 0; i < parts.size() && i < V_NUMPAR; ++i) {
            v->v_part[i].p_tag = sim::number<ushort_t>(parts[i], "tag");
            v->v_part[i].p_flag = sim::number<ushort_t>(parts[i], "flag");
            v->v_part[i].p_start = sim::number<daddr_t>(parts[i], "start");
            v->v_part[i].p_size = sim::number<long>(parts[i], "size");
        }
    }
    bytesCopy(v->v_asciilabel, sizeof v->v_asciilabel, sim::text(table, "asciilabel"));
    return 0;
}

int controllerInfo(const sim::OpenDevice& dev, dk_cinfo* info) {
    // Absent, the answer names the disk's driver and instance; an explicit null refuses.
    auto it = dev.disk->find("dkinfo");
    bool given = it != dev.disk->end();
    if (given && it->is_null()) return fail(ENOTTY);
    const json& dk = given ? *it : json::object();
    std::memset(info, 0, sizeof *info);
    fieldCopy(info->dki_cname, sizeof info->dki_cname, sim::text(dk, "cname"));
    fieldCopy(info->dki_dname, sizeof info->dki_dname,
              sim::text(dk, "dname", dev.disk->value("driver", std::string())));
    info->dki_ctype = DKC_SCSI_CCS;
    info->dki_cnum = sim::number<ushort_t>(dk, "cnum");
    info->dki_unit = sim::number<uint_t>(dk, "unit", sim::number<uint_t>(*dev.disk, "instance"));
    info->dki_partition = static_cast<ushort_t>(dev.slice);
    info->dki_maxtransfer = sim::number<ushort_t>(dk, "maxtransfer");
    return 0;
}

// The errno a disk's "ioctl_errno" gives the request (a captured host's failed ioctl), or 0.
int recordedErrno(const json& disk, int request) {
    const json& errors = section(disk, "ioctl_errno");
    const char* name = request == DKIOCGGEOM ? "geometry" : request == DKIOCGVTOC ? "vtoc"
                     : request == DKIOCINFO  ? "dkinfo" : nullptr;
    return name == nullptr ? 0 : sim::number<int>(errors, name);
}

}  // namespace

int dkioIoctl(const sim::OpenDevice& dev, int request, void* arg) {
    if (dev.disk == nullptr) return fail(ENXIO);
    if (int error = recordedErrno(*dev.disk, request)) return fail(error);
    switch (request) {
    case DKIOCGGEOM:
        return arg == nullptr ? fail(EFAULT) : geometry(dev, static_cast<dk_geom*>(arg));
    case DKIOCGVTOC:
        return arg == nullptr ? fail(EFAULT) : tableOfContents(dev, static_cast<vtoc*>(arg));
    case DKIOCINFO:
        return arg == nullptr ? fail(EFAULT) : controllerInfo(dev, static_cast<dk_cinfo*>(arg));
    default:
        return fail(ENOTTY);
    }
}

}  // namespace sol::simulated
