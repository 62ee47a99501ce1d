// The one walk of the adapter tree through the HBA library: each adapter opened (and
// refreshed, see AdapterHandle), its attributes, its FCP target mappings, its ports with
// their statistics when asked for, and each port's discovered ports. What it reads goes to a
// visitor: the cache fill builds the Java tree from it, the library test writes a report.
#pragma once
#include "kelda/common/hba/HbaLibrary.h"
#include "kelda/common/hba/TargetMapping.h"

class HbaTreeVisitor {
public:
    virtual ~HbaTreeVisitor() = default;

    // Before the first adapter, with the count the library gives; false stops the walk.
    virtual bool begin(HBA_UINT32 adapters) = 0;
    // A call that failed, as one line of text (an adapter that could not be opened, a status
    // other than success); the walk goes on past the part it concerns.
    virtual void failed(const char* message) = 0;
    // An adapter whose attributes were read; `mappings` was fetched for it (empty if that failed).
    virtual void adapter(int index, const char* name, HBA_ADAPTERATTRIBUTES& attributes, bool refreshed,
                         const FcpTargetMappingTable& mappings) = 0;
    // True when port statistics are to be read for each port.
    virtual bool wantsStatistics() const = 0;
    // A port of the current adapter; `statistics` is null when they were not read.
    virtual void port(int adapterIndex, HBA_UINT32 portIndex, HBA_PORTATTRIBUTES& attributes,
                      const HBA_PORTSTATISTICS* statistics) = 0;
    // A discovered port of the current port.
    virtual void discoveredPort(HBA_UINT32 index, HBA_PORTATTRIBUTES& attributes) = 0;
    // After the discovered ports of a port.
    virtual void portDone() {}
    // After the ports of an adapter whose mappings were fetched.
    virtual void mappings(const FcpTargetMappingTable&) {}
    // After everything of an adapter.
    virtual void adapterDone() {}
};

// Walks the tree of the loaded library, in index order.
void readHbaTree(HbaLibrary& library, HbaTreeVisitor& visitor);
