// The per-call worker of the cache fill: the class holders of every Java class it touches,
// the HbaCache object and class-names object of the call, and the loaded HBA library.
#pragma once
#include <jni.h>

#include "kelda/common/hba/HbaClasses.h"
#include "kelda/common/hba/HbaLibrary.h"
#include "kelda/common/hba/InstanceRecipe.h"
#include "kelda/common/hba/TargetMapping.h"

class FcpTargetMappingTable;

class HbaCacheImpl {
public:
    // Looks every class up, then loads the HBA library. Raises JavaExceptionPending when a
    // class is missing.
    HbaCacheImpl(JNIEnv* env, jobject hbaCache, jobject classNames);

    jobjectArray FillCache();

    jobject MakeHba(int adapterIndex, HBA_ADAPTERATTRIBUTES& attributes);
    jobject MakeHbaPort(int adapterIndex, int portIndex, HBA_PORTATTRIBUTES& attributes);
    jobject MakeHbaDiscoPort(HBA_PORTATTRIBUTES& attributes);
    void PopulateHbaPortValues(jobject values, HBA_PORTATTRIBUTES& attributes);
    jobject MakeHbaPortStats(const HBA_PORTATTRIBUTES& attributes, const HBA_PORTSTATISTICS& statistics);
    jobject MakeTargetMapping(jobject port, jobject discoveredPort, const HBA_FcpScsiEntry& entry);

    jobject GetPortType(HBA_UINT32 code);
    jobject GetPortState(HBA_UINT32 code);
    jobject GetOperationalStatus(HBA_UINT32 code);
    jobject GetCOS(HBA_UINT32 mask);
    jobject GetPortSpeed(HBA_UINT32 code);

    jobject uint64(long long value) { return kelda::uint64(unsignedInt64, value); }

private:
    class CacheFill;  // the tree reader's visitor that builds the Java tree

    // Stores `element` at `index` and drops its local reference.
    void store(jobjectArray array, jsize index, jobject element);
    // Adds the target mappings of `table` whose port WWN is the discovered port's (`byPort`
    // groups them) to a new array; returns the array.
    jobjectArray targetMappings(jobject port, jobject discovered, const HBA_WWN& portWWN,
                                const FcpTargetMappingTable& table, const MappingsByPort& byPort);

    JNIEnv* env;
    KdClass::Static kdClass;
    KdProperty::Static kdProperty;
    KdInstance::Static kdInstance;
    HostBusAdapterProvider::Static hostBusAdapterProvider;
    HbaPortProvider::Static hbaPortProvider;
    HbaDiscoveredPortProvider::Static hbaDiscoveredPortProvider;
    FCPortStatisticsProvider::Static fcPortStatisticsProvider;
    TargetMappingProvider::Static targetMappingProvider;
    HbaClassNames::Static hbaClassNames;
    HbaCacheHba::Static hba;
    HbaCacheHbaPort::Static hbaPort;
    HbaCacheHbaDiscoveredPort::Static hbaDiscoveredPort;
    UnsignedInt64::Static unsignedInt64;
    UnsignedInt32::Static unsignedInt32;
    UnsignedInt16::Static unsignedInt16;
    HbaCache::Static hbaCacheClass;
    HbaCache cache;
    HbaClassNames classNames;
    HbaLibrary library;
    devices::RawDeviceBuses rawDeviceBuses;  // read once per fill, when a mapping needs it
};
