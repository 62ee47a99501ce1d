#include "kelda/common/hba/TargetMapping.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>


FcpTargetMappingTable::FcpTargetMappingTable() : table_(reinterpret_cast<HBA_FCPTARGETMAPPING*>(inline_)) {}

HBA_STATUS FcpTargetMappingTable::fetch(HBA_HANDLE handle, Fetch get) {
    heap_.reset();
    table_ = reinterpret_cast<HBA_FCPTARGETMAPPING*>(inline_);
    room_ = kInlineEntries;
    size_ = 0;
    table_->NumberOfEntries = room_;
    HBA_STATUS status = get(handle, table_);

    if (status == HBA_STATUS_ERROR_MORE_DATA) {
        HBA_UINT32 wanted = table_->NumberOfEntries;
        // One entry at least, so the table is a whole record whatever count came back.
        size_t bytes = mappingTableBytes(wanted > 0 ? wanted : 1);
        heap_.reset(new (std::nothrow) unsigned char[bytes]);
        if (!heap_) return status;  // no room for the larger table: a failed fetch
        std::memset(heap_.get(), 0, bytes);
        table_ = reinterpret_cast<HBA_FCPTARGETMAPPING*>(heap_.get());
        room_ = wanted;
        table_->NumberOfEntries = room_;
        status = get(handle, table_);
    }
    if (status != HBA_STATUS_OK) return status;
    // A library that reports more entries than it could have written is not believed past
    // the room it was given.
    size_ = table_->NumberOfEntries < room_ ? table_->NumberOfEntries : room_;
    return status;
}

MappingsByPort::MappingsByPort(const FcpTargetMappingTable& table) {
    for (HBA_UINT32 e = 0; e < table.size(); ++e) {
        uint64_t key;
        std::memcpy(&key, table.entry(e).FcpId.PortWWN.wwn, sizeof key);
        groups_[key].push_back(e);
    }
}

const std::vector<HBA_UINT32>& MappingsByPort::of(const HBA_WWN& port) const {
    static const std::vector<HBA_UINT32> none;
    uint64_t key;
    std::memcpy(&key, port.wwn, sizeof key);
    auto it = groups_.find(key);
    return it == groups_.end() ? none : it->second;
}

void leadvilleDeviceName(const char (&osDeviceName)[256], char (&out)[256]) {
    size_t length = strnlen(osDeviceName, sizeof osDeviceName);
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        if (osDeviceName[i] == '/') start = i + 1;
    }
    // The out buffer keeps room for its terminator.
    size_t n = length - start;
    if (n > sizeof out - 1) n = sizeof out - 1;
    std::memcpy(out, osDeviceName + start, n);
    out[n] = '\0';
    if (char* slice = std::strstr(out, "s2")) *slice = '\0';
}

unsigned int divineScsiBusNumber(const HBA_FCPSCSIENTRY& entry, devices::RawDeviceBuses& buses) {
    if (entry.ScsiId.ScsiBusNumber != 0) return entry.ScsiId.ScsiBusNumber;

    // The library's field need not be terminated: work on a terminated copy.
    char name[sizeof entry.ScsiId.OSDeviceName + 1];
    std::memcpy(name, entry.ScsiId.OSDeviceName, sizeof entry.ScsiId.OSDeviceName);
    name[sizeof name - 1] = '\0';

    bool found = false;
    unsigned int bus = devices::parseScsiBusNumber(name, found);
    if (!found && std::strncmp(name, "/dev/dsk/", 9) == 0) bus = devices::parseScsiBusNumber(name + 9, found);
    if (!found && std::strncmp(name, "/devices/", 9) == 0) bus = buses.of(name, found);
    return bus;
}
