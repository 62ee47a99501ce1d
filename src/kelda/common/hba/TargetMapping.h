// FCP target mappings: an adapter's mapping table, the SCSI bus of an entry, and the device
// name a mapping reports to Java.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "devices/RawDeviceBuses.h"
#include "kelda/common/hba/HbaLibrary.h"

// An adapter's FCP target mapping table: 512 entries in the object itself, one larger table
// on the heap when the library asks for more room.
class FcpTargetMappingTable {
public:
    using Fetch = HBA_STATUS (*)(HBA_HANDLE, HBA_FCPTARGETMAPPING*);
    static constexpr HBA_UINT32 kInlineEntries = 512;

    FcpTargetMappingTable();
    FcpTargetMappingTable(const FcpTargetMappingTable&) = delete;
    FcpTargetMappingTable& operator=(const FcpTargetMappingTable&) = delete;

    // Asks the library for the table; on status 7 ("More data available") once more with a
    // table of the size the library reported. Returns the final status; on any failure the
    // table is empty.
    HBA_STATUS fetch(HBA_HANDLE handle, Fetch get = HBA_GetFcpTargetMapping);

    // The entries delivered: never more than the table has room for, whatever count the
    // library reported.
    HBA_UINT32 size() const { return size_; }
    const HBA_FCPSCSIENTRY& entry(HBA_UINT32 i) const { return table_->entry[i]; }
    HBA_FCPSCSIENTRY& entry(HBA_UINT32 i) { return table_->entry[i]; }
    // Room of the table last handed to the library (for tests).
    HBA_UINT32 room() const { return room_; }

private:
    alignas(HBA_FCPTARGETMAPPING) unsigned char inline_[mappingTableBytes(kInlineEntries)];
    std::unique_ptr<unsigned char[]> heap_;
    HBA_FCPTARGETMAPPING* table_;
    HBA_UINT32 room_ = 0;
    HBA_UINT32 size_ = 0;
};

// The entries of a mapping table grouped by target port WWN, each group in table order.
class MappingsByPort {
public:
    explicit MappingsByPort(const FcpTargetMappingTable& table);
    // The positions of the entries whose port WWN is `port`.
    const std::vector<HBA_UINT32>& of(const HBA_WWN& port) const;

private:
    std::unordered_map<uint64_t, std::vector<HBA_UINT32>> groups_;
};

// The SCSI bus of a mapping entry: the library's own number, else one read from the device
// name, else (for a "/devices/" path) from the "/dev/rdsk" entry that links to it; 0 when
// nothing tells.
unsigned int divineScsiBusNumber(const HBA_FCPSCSIENTRY& entry, devices::RawDeviceBuses& buses);

// The Leadville name of an OS device path: its last component without the whole-disk slice
// suffix ("/dev/rdsk/c2t1d0s2" -> "c2t1d0"). A name without '/' is taken whole. `out` holds
// 256 bytes and is always terminated; the input is read within its 256-byte field.
void leadvilleDeviceName(const char (&osDeviceName)[256], char (&out)[256]);

// True when the Leadville rule names the device: asks `usingLeadville` first, and
// `forceLeadville` only when the first test did not select the rule.
template <class Using, class Force>
bool leadvilleRuleApplies(const char (&osDeviceName)[256], Using&& usingLeadville, Force&& forceLeadville) {
    static const char prefix[] = "/dev/rdsk/";
    if (usingLeadville()) {
        bool match = true;
        for (size_t i = 0; i < sizeof prefix - 1; ++i) {
            if (osDeviceName[i] != prefix[i]) {
                match = false;
                break;
            }
        }
        if (match) return true;
    }
    return forceLeadville() != 0;
}

// The device name a mapping reports, into `out` (256 bytes, for `string` to clean): the
// library's name when `keepOsDeviceName` says so, else the Leadville name when that rule
// applies, else "c<bus>t<target>d<lun>". The switches are asked in that order, each only when
// the ones before did not decide.
template <class Keep, class Using, class Force>
void chooseDeviceName(const HBA_FCPSCSIENTRY& entry, unsigned int bus, Keep&& keepOsDeviceName,
                      Using&& usingLeadville, Force&& forceLeadville, char (&out)[256]) {
    const char(&os)[256] = entry.ScsiId.OSDeviceName;
    if (keepOsDeviceName()) {
        std::memcpy(out, os, sizeof out);
    } else if (leadvilleRuleApplies(os, usingLeadville, forceLeadville)) {
        leadvilleDeviceName(os, out);
    } else {
        std::snprintf(out, sizeof out, "c%dt%dd%d", static_cast<int>(bus),
                      static_cast<int>(entry.ScsiId.ScsiTargetNumber), static_cast<int>(entry.ScsiId.ScsiOSLun));
    }
}

// The exported LUN: the FCP LUN's first two bytes (the value's top 16 bits), sign-extended
// as the 64-bit value is shifted arithmetically.
inline int64_t exportedLun(HBA_UINT64 fcpLun) { return static_cast<int64_t>(fcpLun) >> 48; }
