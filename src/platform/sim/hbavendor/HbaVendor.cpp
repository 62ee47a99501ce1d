// A simulated Fibre Channel adapter vendor library. The SNIA HBA API common library loads it
// from /etc/hba.conf (scripts/simrun lists it there in a private mount namespace) and calls it
// through the function table handed over at registration. Every answer comes from the `hba`
// section of the simulated host named by HOSTPROBE_SIMHOST.
#include <time.h>  // hbaapi.h needs it first

#include <hbaapi.h>
#include <vendorhbaapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "sim/SimHost.h"

namespace {

using sim::json;

// What one load of the library (HBA_LoadLibrary to HBA_FreeLibrary) remembers.
struct LoadState {
    std::map<size_t, long long> openAttempts;  // adapter index -> HBA_OpenAdapter calls so far
    std::map<size_t, bool> mappingMoreData;    // adapter index -> last mapping call answered 7
};

std::mutex stateMutex;
LoadState state;

const json& adapters(const sim::Host& host) {
    static const json none = json::array();
    const json& hba = host.section("hba");
    if (!hba.is_object()) return none;
    auto it = hba.find("adapters");
    if (it == hba.end() || !it->is_array()) return none;
    return *it;
}

const json& member(const json& object, const char* key) {
    static const json none;
    if (!object.is_object()) return none;
    auto it = object.find(key);
    return it == object.end() ? none : *it;
}

const json& element(const json& list, size_t index) {
    static const json none;
    if (!list.is_array() || index >= list.size()) return none;
    return list[index];
}

size_t length(const json& list) { return list.is_array() ? list.size() : 0; }

// A handle names adapter index + 1: never 0, and within the 16 bits the common library leaves
// to the vendor.
HBA_HANDLE handleOf(size_t index) { return static_cast<HBA_HANDLE>(index + 1); }

bool indexOf(const sim::Host& host, HBA_HANDLE handle, size_t& index) {
    if (handle == 0 || handle > 0xffff) return false;
    index = handle - 1;
    return index < adapters(host).size();
}

// The adapter's name as the library reports it: at most 255 bytes, so the common library
// always receives a terminated name.
std::string adapterName(const json& adapter) {
    std::string name = sim::text(adapter, "name");
    name = name.substr(0, std::min(name.find('\0'), size_t{255}));
    return name;
}

// Copies a byte field into a fixed C field: exact bytes up to the field's size, the rest zero.
// A value that fills the field keeps no terminator, as a careless driver would leave it.
void fill(char* field, size_t size, const json& object, const char* key) {
    std::memset(field, 0, size);
    std::string bytes = sim::text(object, key);
    std::memcpy(field, bytes.data(), std::min(bytes.size(), size));
}

void fillHexBytes(HBA_UINT8* field, size_t size, const json& object, const char* key) {
    std::memset(field, 0, size);
    const json& value = member(object, key);
    if (!value.is_string()) return;
    const std::string& hex = value.get_ref<const std::string&>();
    for (size_t i = 0; i < size && 2 * i + 1 < hex.size(); ++i) {
        field[i] = static_cast<HBA_UINT8>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    }
}

void fillWwn(HBA_WWN& wwn, const json& object, const char* key) { fillHexBytes(wwn.wwn, sizeof wwn.wwn, object, key); }

template <class T>
T num(const json& object, const char* key, T fallback = T{}) {
    const json& value = member(object, key);
    if (!value.is_number()) return fallback;
    if (value.is_number_float()) return static_cast<T>(value.get<double>());
    if (value.is_number_unsigned()) return static_cast<T>(value.get<uint64_t>());
    return static_cast<T>(value.get<int64_t>());
}

HBA_STATUS status(const json& object, const char* key) { return num<HBA_STATUS>(object, key, 0); }

void fillPort(HBA_PORTATTRIBUTES* out, const json& port, const json& discovered) {
    std::memset(out, 0, sizeof *out);
    const json& a = member(port, "attributes");
    fillWwn(out->NodeWWN, a, "NodeWWN");
    fillWwn(out->PortWWN, a, "PortWWN");
    out->PortFcId = num<HBA_UINT32>(a, "PortFcId");
    out->PortType = num<HBA_UINT32>(a, "PortType");
    out->PortState = num<HBA_UINT32>(a, "PortState");
    out->PortSupportedClassofService = num<HBA_UINT32>(a, "PortSupportedClassofService");
    fillHexBytes(out->PortSupportedFc4Types.bits, sizeof out->PortSupportedFc4Types.bits, a, "PortSupportedFc4Types");
    fillHexBytes(out->PortActiveFc4Types.bits, sizeof out->PortActiveFc4Types.bits, a, "PortActiveFc4Types");
    fill(out->PortSymbolicName, sizeof out->PortSymbolicName, a, "PortSymbolicName");
    fill(out->OSDeviceName, sizeof out->OSDeviceName, a, "OSDeviceName");
    out->PortSupportedSpeed = num<HBA_UINT32>(a, "PortSupportedSpeed");
    out->PortSpeed = num<HBA_UINT32>(a, "PortSpeed");
    out->PortMaxFrameSize = num<HBA_UINT32>(a, "PortMaxFrameSize");
    fillWwn(out->FabricName, a, "FabricName");
    out->NumberofDiscoveredPorts = num<HBA_UINT32>(a, "NumberofDiscoveredPorts",
                                                   static_cast<HBA_UINT32>(length(discovered)));
}

void fillEntry(HBA_FCPSCSIENTRY& out, const json& e) {
    std::memset(&out, 0, sizeof out);
    fill(out.ScsiId.OSDeviceName, sizeof out.ScsiId.OSDeviceName, e, "OSDeviceName");
    out.ScsiId.ScsiBusNumber = num<HBA_UINT32>(e, "ScsiBusNumber");
    out.ScsiId.ScsiTargetNumber = num<HBA_UINT32>(e, "ScsiTargetNumber");
    out.ScsiId.ScsiOSLun = num<HBA_UINT32>(e, "ScsiOSLun");
    out.FcpId.FcId = num<HBA_UINT32>(e, "FcId");
    fillWwn(out.FcpId.NodeWWN, e, "NodeWWN");
    fillWwn(out.FcpId.PortWWN, e, "PortWWN");
    const json& lun = member(e, "FcpLun");
    uint64_t value = 0;
    if (lun.is_string()) {
        for (char c : lun.get_ref<const std::string&>()) {
            value = value << 4 | static_cast<uint64_t>(std::stoul(std::string(1, c), nullptr, 16));
        }
    }
    out.FcpId.FcpLun = static_cast<HBA_UINT64>(value);
}

std::string field(const char* text, size_t size) { return std::string(text, strnlen(text, size)); }

// ---- the vendor entry points ----

HBA_UINT32 GetVersion() { return HBA_LIBVERSION; }

// Forgets what the library remembered and journals `call`.
HBA_STATUS startOver(const char* call) {
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        state = LoadState{};
    }
    if (auto host = sim::host()) host->journal(call);
    return HBA_STATUS_OK;
}

HBA_STATUS LoadLibrary() { return startOver("HBA_LoadLibrary"); }

HBA_STATUS FreeLibrary() { return startOver("HBA_FreeLibrary"); }

HBA_UINT32 GetNumberOfAdapters() {
    auto host = sim::host();
    return host ? static_cast<HBA_UINT32>(adapters(*host).size()) : 0;
}

HBA_STATUS GetAdapterName(HBA_UINT32 index, char* name) {
    auto host = sim::host();
    if (!host) return HBA_STATUS_ERROR;
    const json& adapter = element(adapters(*host), index);
    if (adapter.is_null()) return HBA_STATUS_ERROR_ILLEGAL_INDEX;
    if (HBA_STATUS s = status(adapter, "name_status")) return s;
    std::string text = adapterName(adapter);
    std::memcpy(name, text.c_str(), text.size() + 1);
    return HBA_STATUS_OK;
}

HBA_HANDLE OpenAdapter(char* name) {
    auto host = sim::host();
    if (!host) return 0;
    std::string wanted = field(name, 256);
    const json& list = adapters(*host);
    HBA_HANDLE handle = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (adapterName(list[i]) != wanted) continue;
        long long failures = num<long long>(list[i], "open_failures", 0);
        std::lock_guard<std::mutex> lock(stateMutex);
        if (++state.openAttempts[i] > failures) handle = handleOf(i);
        break;
    }
    host->journal("HBA_OpenAdapter " + wanted + (handle != 0 ? " ok" : " fail"));
    return handle;
}

// Journals `call` with the name of the adapter `handle` names; nothing for an unknown handle.
void journalAdapterCall(const char* call, HBA_HANDLE handle) {
    auto host = sim::host();
    size_t i;
    if (host && indexOf(*host, handle, i)) host->journal(std::string(call) + " " + adapterName(adapters(*host)[i]));
}

void CloseAdapter(HBA_HANDLE handle) { journalAdapterCall("HBA_CloseAdapter", handle); }

void RefreshInformation(HBA_HANDLE handle) { journalAdapterCall("HBA_RefreshInformation", handle); }

HBA_STATUS GetAdapterAttributes(HBA_HANDLE handle, HBA_ADAPTERATTRIBUTES* out) {
    auto host = sim::host();
    size_t i;
    if (!host || !indexOf(*host, handle, i)) return HBA_STATUS_ERROR_INVALID_HANDLE;
    const json& adapter = adapters(*host)[i];
    if (HBA_STATUS s = status(adapter, "attributes_status")) return s;
    const json& a = member(adapter, "attributes");
    std::memset(out, 0, sizeof *out);
    fill(out->Manufacturer, sizeof out->Manufacturer, a, "Manufacturer");
    fill(out->SerialNumber, sizeof out->SerialNumber, a, "SerialNumber");
    fill(out->Model, sizeof out->Model, a, "Model");
    fill(out->ModelDescription, sizeof out->ModelDescription, a, "ModelDescription");
    fillWwn(out->NodeWWN, a, "NodeWWN");
    fill(out->NodeSymbolicName, sizeof out->NodeSymbolicName, a, "NodeSymbolicName");
    fill(out->HardwareVersion, sizeof out->HardwareVersion, a, "HardwareVersion");
    fill(out->DriverVersion, sizeof out->DriverVersion, a, "DriverVersion");
    fill(out->OptionROMVersion, sizeof out->OptionROMVersion, a, "OptionROMVersion");
    fill(out->FirmwareVersion, sizeof out->FirmwareVersion, a, "FirmwareVersion");
    out->VendorSpecificID = num<HBA_UINT32>(a, "VendorSpecificID");
    out->NumberOfPorts = num<HBA_UINT32>(a, "NumberOfPorts", static_cast<HBA_UINT32>(length(member(adapter, "ports"))));
    fill(out->DriverName, sizeof out->DriverName, a, "DriverName");
    return HBA_STATUS_OK;
}

// Port `p` of the adapter `handle` names, into `port` (kept alive by `host`); otherwise the
// status of a call on it: an invalid handle or an illegal index.
HBA_STATUS findPort(HBA_HANDLE handle, HBA_UINT32 p, std::shared_ptr<const sim::Host>& host, const json*& port) {
    host = sim::host();
    size_t i;
    if (!host || !indexOf(*host, handle, i)) return HBA_STATUS_ERROR_INVALID_HANDLE;
    port = &element(member(adapters(*host)[i], "ports"), p);
    return port->is_null() ? HBA_STATUS_ERROR_ILLEGAL_INDEX : HBA_STATUS_OK;
}

HBA_STATUS GetAdapterPortAttributes(HBA_HANDLE handle, HBA_UINT32 p, HBA_PORTATTRIBUTES* out) {
    std::shared_ptr<const sim::Host> host;
    const json* port = nullptr;
    if (HBA_STATUS s = findPort(handle, p, host, port)) return s;
    if (HBA_STATUS s = status(*port, "status")) return s;
    fillPort(out, *port, member(*port, "discovered"));
    return HBA_STATUS_OK;
}

HBA_STATUS GetPortStatistics(HBA_HANDLE handle, HBA_UINT32 p, HBA_PORTSTATISTICS* out) {
    std::shared_ptr<const sim::Host> host;
    const json* port = nullptr;
    if (HBA_STATUS s = findPort(handle, p, host, port)) return s;
    if (HBA_STATUS s = status(*port, "statistics_status")) return s;
    const json& s = member(*port, "statistics");
    out->SecondsSinceLastReset = num<HBA_INT64>(s, "SecondsSinceLastReset");
    out->TxFrames = num<HBA_INT64>(s, "TxFrames");
    out->TxWords = num<HBA_INT64>(s, "TxWords");
    out->RxFrames = num<HBA_INT64>(s, "RxFrames");
    out->RxWords = num<HBA_INT64>(s, "RxWords");
    out->LIPCount = num<HBA_INT64>(s, "LIPCount");
    out->NOSCount = num<HBA_INT64>(s, "NOSCount");
    out->ErrorFrames = num<HBA_INT64>(s, "ErrorFrames");
    out->DumpedFrames = num<HBA_INT64>(s, "DumpedFrames");
    out->LinkFailureCount = num<HBA_INT64>(s, "LinkFailureCount");
    out->LossOfSyncCount = num<HBA_INT64>(s, "LossOfSyncCount");
    out->LossOfSignalCount = num<HBA_INT64>(s, "LossOfSignalCount");
    out->PrimitiveSeqProtocolErrCount = num<HBA_INT64>(s, "PrimitiveSeqProtocolErrCount");
    out->InvalidTxWordCount = num<HBA_INT64>(s, "InvalidTxWordCount");
    out->InvalidCRCCount = num<HBA_INT64>(s, "InvalidCRCCount");
    return HBA_STATUS_OK;
}

HBA_STATUS GetDiscoveredPortAttributes(HBA_HANDLE handle, HBA_UINT32 p, HBA_UINT32 d, HBA_PORTATTRIBUTES* out) {
    std::shared_ptr<const sim::Host> host;
    const json* port = nullptr;
    if (HBA_STATUS s = findPort(handle, p, host, port)) return s;
    const json& discovered = element(member(*port, "discovered"), d);
    if (discovered.is_null()) return HBA_STATUS_ERROR_ILLEGAL_INDEX;
    if (HBA_STATUS s = status(discovered, "status")) return s;
    fillPort(out, discovered, json());
    return HBA_STATUS_OK;
}

// Fills what fits of the caller's table and reports the full count; answers "more data" (7)
// when the table was too small. `status` fails a first call, `retry_status` the call that
// follows a 7.
HBA_STATUS GetFcpTargetMapping(HBA_HANDLE handle, HBA_FCPTARGETMAPPING* table) {
    auto host = sim::host();
    size_t i;
    if (!host || !indexOf(*host, handle, i)) return HBA_STATUS_ERROR_INVALID_HANDLE;
    const json& adapter = adapters(*host)[i];
    const json& mapping = member(adapter, "mapping");
    const json& entries = member(mapping, "entries");
    HBA_UINT32 room = table->NumberOfEntries;

    bool retry;
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        retry = state.mappingMoreData[i];
    }
    HBA_STATUS result = status(mapping, retry ? "retry_status" : "status");
    if (result == HBA_STATUS_OK || result == HBA_STATUS_ERROR_MORE_DATA) {
        HBA_UINT32 count = static_cast<HBA_UINT32>(length(entries));
        for (HBA_UINT32 e = 0; e < std::min(room, count); ++e) fillEntry(table->entry[e], entries[e]);
        table->NumberOfEntries = count;
        if (count > room) result = HBA_STATUS_ERROR_MORE_DATA;
    }
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        state.mappingMoreData[i] = result == HBA_STATUS_ERROR_MORE_DATA;
    }
    host->journal("HBA_GetFcpTargetMapping " + adapterName(adapter) + " " + std::to_string(room) + " " +
                  std::to_string(result));
    return result;
}

template <class Table>
void registerFunctions(Table* t) {
    // Each entry point's handler is the function of the same name.
#define SIM_HBA_HANDLER(name) t->name##Handler = name;
    SIM_HBA_HANDLER(GetVersion) SIM_HBA_HANDLER(LoadLibrary) SIM_HBA_HANDLER(FreeLibrary)
    SIM_HBA_HANDLER(GetNumberOfAdapters) SIM_HBA_HANDLER(GetAdapterName) SIM_HBA_HANDLER(OpenAdapter)
    SIM_HBA_HANDLER(CloseAdapter) SIM_HBA_HANDLER(GetAdapterAttributes) SIM_HBA_HANDLER(GetAdapterPortAttributes)
    SIM_HBA_HANDLER(GetPortStatistics) SIM_HBA_HANDLER(GetDiscoveredPortAttributes)
    SIM_HBA_HANDLER(RefreshInformation) SIM_HBA_HANDLER(GetFcpTargetMapping)
#undef SIM_HBA_HANDLER
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) HBA_STATUS HBA_RegisterLibrary(HBA_ENTRYPOINTS* table) {
    std::memset(table, 0, sizeof *table);
    registerFunctions(table);
    return HBA_STATUS_OK;
}

__attribute__((visibility("default"))) HBA_STATUS HBA_RegisterLibraryV2(HBA_ENTRYPOINTSV2* table) {
    std::memset(table, 0, sizeof *table);
    registerFunctions(table);
    return HBA_STATUS_OK;
}

}  // extern "C"
