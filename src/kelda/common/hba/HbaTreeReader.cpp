#include "kelda/common/hba/HbaTreeReader.h"

#include <cstdio>
#include <cstring>

#include "kelda/common/hba/HbaStatus.h"

namespace {

void readPorts(AdapterHandle& adapter, int i, const char* name, HBA_UINT32 portCount, HbaTreeVisitor& visitor) {
    for (HBA_UINT32 p = 0; p < portCount; ++p) {
        HBA_PORTATTRIBUTES port;
        std::memset(&port, 0, sizeof port);
        HBA_STATUS status = HBA_GetAdapterPortAttributes(adapter.handle, p, &port);
        if (status != HBA_STATUS_OK) {
            visitor.failed(BadStatus("GetAdapterPortAttributes", status, i, name));
            continue;
        }
        HBA_UINT32 discoveredCount = port.NumberofDiscoveredPorts;
        HBA_PORTSTATISTICS statistics;
        std::memset(&statistics, 0, sizeof statistics);
        const HBA_PORTSTATISTICS* read = nullptr;
        if (visitor.wantsStatistics()) {
            status = HBA_GetPortStatistics(adapter.handle, p, &statistics);
            if (status != HBA_STATUS_OK) {
                visitor.failed(BadStatus("GetPortStatistics", status, i, name));
            } else {
                read = &statistics;
            }
        }
        visitor.port(i, p, port, read);
        for (HBA_UINT32 d = 0; d < discoveredCount; ++d) {
            HBA_PORTATTRIBUTES discovered;
            std::memset(&discovered, 0, sizeof discovered);
            status = HBA_GetDiscoveredPortAttributes(adapter.handle, p, d, &discovered);
            if (status != HBA_STATUS_OK) {
                visitor.failed(BadStatus("GetDiscoveredPortAttributes", status, i, name));
                continue;
            }
            visitor.discoveredPort(d, discovered);
        }
        visitor.portDone();
    }
}

}  // namespace

void readHbaTree(HbaLibrary& library, HbaTreeVisitor& visitor) {
    HBA_UINT32 count = HBA_GetNumberOfAdapters();
    if (!visitor.begin(count)) return;
    FcpTargetMappingTable table;
    for (HBA_UINT32 index = 0; index < count; ++index) {
        int i = static_cast<int>(index);
        AdapterHandle adapter(library);
        char name[256];
        if (!adapter.open(index, name)) {
            char message[512];
            std::snprintf(message, sizeof message,
                          "Unable to open HBA adapter %d (%s) -- status is %d (%s) (check ownership)", i, name,
                          static_cast<int>(adapter.status), StatusString(adapter.status));
            visitor.failed(message);
            continue;
        }
        bool refreshed = adapter.refresh(name);

        HBA_ADAPTERATTRIBUTES attributes;
        std::memset(&attributes, 0, sizeof attributes);
        HBA_STATUS status = HBA_GetAdapterAttributes(adapter.handle, &attributes);
        if (status != HBA_STATUS_OK) {
            visitor.failed(BadStatus("GetAdapterAttributes", status, i, name));
            continue;
        }
        HBA_STATUS mappingStatus = table.fetch(adapter.handle);
        visitor.adapter(i, name, attributes, refreshed, table);
        readPorts(adapter, i, name, attributes.NumberOfPorts, visitor);
        if (mappingStatus != HBA_STATUS_OK) {
            visitor.failed(BadStatus("GetFcpTargetMapping", mappingStatus, i, name));
        } else {
            visitor.mappings(table);
        }
        visitor.adapterDone();
    }
}
