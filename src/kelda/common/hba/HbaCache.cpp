// fillHbaCache: every Fibre Channel adapter of the host as one tree of provider instances, read
// through the SNIA HBA API. Failed library calls leave null elements and go to `warn`.
#include <climits>
#include <cstdio>
#include <cstring>

#include "com_vantor_kelda_providers_hba_HbaCache.h"
#include "kelda/common/hba/HbaCacheImpl.h"
#include "kelda/common/hba/HbaCodes.h"
#include "kelda/common/hba/HbaStatus.h"
#include "kelda/common/hba/TargetMapping.h"

namespace {

// The length of a Java array for a count the library announced. A count past what a Java
// array can hold is asked for as the largest one, which the JVM refuses with an
// OutOfMemoryError instead of misreading a negative length.
jsize arrayLength(HBA_UINT32 count) { return count > INT_MAX ? INT_MAX : static_cast<jsize>(count); }

}  // namespace

WithHbaLibrary::WithHbaLibrary() : lock_(hbaLibraryLock()) {
    // Its status is not consulted: without a vendor library every later call fails by itself.
    HBA_LoadLibrary();
}

WithHbaLibrary::~WithHbaLibrary() { HBA_FreeLibrary(); }

WithAdapterHandle::~WithAdapterHandle() {
    if (handle != 0) HBA_CloseAdapter(handle);
}

bool WithAdapterHandle::refresh(const char* name) {
    static const char unrefreshedPrefix[] = "SUNW-qlc-";
    if (std::strncmp(name, unrefreshedPrefix, sizeof unrefreshedPrefix - 1) == 0) return false;
    HBA_RefreshInformation(handle);
    return true;
}

bool WithAdapterHandle::open(HBA_UINT32 index, char (&name)[256]) {
    std::memset(name, 0, sizeof name);
    status = HBA_GetAdapterName(index, name);
    name[sizeof name - 1] = '\0';
    if (status == HBA_STATUS_OK) {
        handle = HBA_OpenAdapter(name);
        if (handle == 0) handle = HBA_OpenAdapter(name);
    }
    return handle != 0;
}

HbaCacheImpl::HbaCacheImpl(JNIEnv* env, jobject hbaCache, jobject classNamesObject)
    : env(env),
      kdClass(env),
      kdProperty(env),
      kdInstance(env),
      hostBusAdapterProvider(env),
      hbaPortProvider(env),
      hbaDiscoveredPortProvider(env),
      fcPortStatisticsProvider(env),
      targetMappingProvider(env),
      hbaClassNames(env),
      hba(env),
      hbaPort(env),
      hbaDiscoveredPort(env),
      unsignedInt64(env),
      unsignedInt32(env),
      unsignedInt16(env),
      vantorLogger(env),
      log4jLogger(env),
      hbaCacheClass(env),
      cache(hbaCacheClass, hbaCache),
      classNames(hbaClassNames, classNamesObject) {}

jstring HbaCacheImpl::text(const char* formatted) { return checked(env, env->NewStringUTF(formatted)); }

void HbaCacheImpl::store(jobjectArray array, jsize index, jobject element) {
    env->SetObjectArrayElement(array, index, element);
    checkPending(env);
    if (element != nullptr) env->DeleteLocalRef(element);
}

jobjectArray HbaCacheImpl::FillCache() {
    HBA_UINT32 count = HBA_GetNumberOfAdapters();
    jsize adapters = arrayLength(count);
    if (env->EnsureLocalCapacity(adapters > INT_MAX / 10 ? INT_MAX : 10 * adapters) < 0) return nullptr;
    jobjectArray result = checked(env, env->NewObjectArray(adapters, hba.cls, nullptr));

    FcpTargetMappingTable table;
    for (jsize i = 0; i < adapters; ++i) {
        WithAdapterHandle adapter(&library);
        char name[256];
        if (!adapter.open(static_cast<HBA_UINT32>(i), name)) {
            char message[512];
            std::snprintf(message, sizeof message,
                          "Unable to open HBA adapter %d (%s) -- status is %d (%s) (check ownership)", i, name,
                          static_cast<int>(adapter.status), StatusString(adapter.status));
            warn(message);
            continue;
        }
        adapter.refresh(name);

        HBA_ADAPTERATTRIBUTES attributes;
        std::memset(&attributes, 0, sizeof attributes);
        HBA_STATUS status = HBA_GetAdapterAttributes(adapter.handle, &attributes);
        if (status != HBA_STATUS_OK) {
            warn(BadStatus("GetAdapterAttributes", status, i, name));
            continue;
        }
        HBA_UINT32 portCount = attributes.NumberOfPorts;
        jobject adapterInstance = MakeHba(i, attributes);
        jobjectArray ports = checked(env, env->NewObjectArray(arrayLength(portCount), hbaPort.cls, nullptr));
        store(result, i, hba.newObject(hba.meth_init(), adapterInstance, ports));

        status = table.fetch(adapter.handle);
        if (status != HBA_STATUS_OK) warn(BadStatus("GetFcpTargetMapping", status, i, name));
        MappingsByPort byPort(table);

        for (HBA_UINT32 p = 0; p < portCount; ++p) {
            HBA_PORTATTRIBUTES portAttributes;
            std::memset(&portAttributes, 0, sizeof portAttributes);
            status = HBA_GetAdapterPortAttributes(adapter.handle, p, &portAttributes);
            if (status != HBA_STATUS_OK) {
                warn(BadStatus("GetAdapterPortAttributes", status, i, name));
                continue;
            }
            HBA_UINT32 discoveredCount = portAttributes.NumberofDiscoveredPorts;
            jobject portInstance = MakeHbaPort(i, static_cast<int>(p), portAttributes);

            HBA_PORTSTATISTICS statistics;
            std::memset(&statistics, 0, sizeof statistics);
            jobject statisticsInstance = nullptr;
            status = HBA_GetPortStatistics(adapter.handle, p, &statistics);
            if (status != HBA_STATUS_OK) {
                warn(BadStatus("GetPortStatistics", status, i, name));
            } else {
                statisticsInstance = MakeHbaPortStats(portAttributes, statistics);
            }

            jobjectArray discovered =
                checked(env, env->NewObjectArray(arrayLength(discoveredCount), hbaDiscoveredPort.cls, nullptr));
            store(ports, static_cast<jsize>(p),
                  hbaPort.newObject(hbaPort.meth_init(), portInstance, statisticsInstance, discovered));
            if (statisticsInstance != nullptr) env->DeleteLocalRef(statisticsInstance);

            for (HBA_UINT32 d = 0; d < discoveredCount; ++d) {
                HBA_PORTATTRIBUTES discoveredAttributes;
                std::memset(&discoveredAttributes, 0, sizeof discoveredAttributes);
                status = HBA_GetDiscoveredPortAttributes(adapter.handle, p, d, &discoveredAttributes);
                if (status != HBA_STATUS_OK) {
                    warn(BadStatus("GetDiscoveredPortAttributes", status, i, name));
                    continue;
                }
                jobject discoveredInstance = MakeHbaDiscoPort(discoveredAttributes);
                jobjectArray mappings =
                    targetMappings(portInstance, discoveredInstance, discoveredAttributes.PortWWN, table, byPort);
                store(discovered, static_cast<jsize>(d),
                      hbaDiscoveredPort.newObject(hbaDiscoveredPort.meth_init(), discoveredInstance, mappings));
                env->DeleteLocalRef(mappings);
                if (discoveredInstance != nullptr) env->DeleteLocalRef(discoveredInstance);
            }
            env->DeleteLocalRef(discovered);
            if (portInstance != nullptr) env->DeleteLocalRef(portInstance);
        }
        env->DeleteLocalRef(ports);
        if (adapterInstance != nullptr) env->DeleteLocalRef(adapterInstance);
    }
    return result;
}

jobjectArray HbaCacheImpl::targetMappings(jobject port, jobject discovered, const HBA_WWN& portWWN,
                                          const FcpTargetMappingTable& table, const MappingsByPort& byPort) {
    const std::vector<HBA_UINT32>& matches = byPort.of(portWWN);
    jobjectArray mappings =
        checked(env, env->NewObjectArray(static_cast<jsize>(matches.size()), kdInstance.cls, nullptr));
    jsize next = 0;
    for (HBA_UINT32 e : matches) store(mappings, next++, MakeTargetMapping(port, discovered, table.entry(e)));
    return mappings;
}

jobject HbaCacheImpl::MakeHba(int adapterIndex, HBA_ADAPTERATTRIBUTES& a) {
    WithTracing trace("MakeHba");
    kelda::LocalFrame frame(env, 48);
    KdClass adapterClass(kdClass, classNames.getHostBusAdapterClass());
    kelda::InstanceValues values(kdProperty, adapterClass);
    HostBusAdapterProvider::Static& p = hostBusAdapterProvider;

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s:%d", toString(a.NodeWWN), adapterIndex);
    values.set(p.get_deviceID(), text(buffer));
    values.set(p.get_creationClassName(), adapterClass.getName());
    values.set(p.get_systemName(), classNames.getSystemName());
    values.set(p.get_systemCreationClassName(), KdClass(kdClass, classNames.getComputerSystemClass()).getName());
    values.set(p.get_manufacturer(), string(a.Manufacturer, sizeof a.Manufacturer));
    values.set(p.get_serialNumber(), string(a.SerialNumber, sizeof a.SerialNumber));
    values.set(p.get_model(), string(a.Model, sizeof a.Model));
    values.set(p.get_modelDescription(), string(a.ModelDescription, sizeof a.ModelDescription));
    values.set(p.get_name(), text(toString(a.NodeWWN)));
    values.set(p.get_nodeSymbolicName(), string(a.NodeSymbolicName, sizeof a.NodeSymbolicName));
    values.set(p.get_hardwareVersion(), string(a.HardwareVersion, sizeof a.HardwareVersion));
    values.set(p.get_driverVersion(), string(a.DriverVersion, sizeof a.DriverVersion));
    values.set(p.get_optionRomVersion(), string(a.OptionROMVersion, sizeof a.OptionROMVersion));
    values.set(p.get_firmwareVersion(), string(a.FirmwareVersion, sizeof a.FirmwareVersion));
    values.set(p.get_vendorSpecificID(), kelda::uint32(unsignedInt32, a.VendorSpecificID));
    values.set(p.get_driverName(), string(a.DriverName, sizeof a.DriverName));
    std::snprintf(buffer, sizeof buffer, "Adapter %d", adapterIndex);
    jstring caption = text(buffer);
    values.set(p.get_caption(), caption);
    values.set(p.get_description(), caption);
    values.set(p.get_elementName(), caption);
    return frame.pop(values.instance(kdInstance, classNames.getHostBusAdapterClass()));
}

void HbaCacheImpl::PopulateHbaPortValues(jobject valuesArray, HBA_PORTATTRIBUTES& a) {
    WithTracing trace("PopulateHbaPortValues");
    kelda::LocalFrame frame(env, 44);  // popped with nothing: the values live in the caller's array
    kelda::InstanceValues values(kdProperty, static_cast<jobjectArray>(valuesArray));
    HbaPortProvider::Static& p = hbaPortProvider;

    values.set(p.get_nodeWWN(), text(toString(a.NodeWWN)));
    values.set(p.get_permanentAddress(), text(toString(a.PortWWN)));
    values.set(p.get_portFcId(), kelda::uint32(unsignedInt32, a.PortFcId));
    values.set(p.get_portType(), GetPortType(a.PortType));
    values.set(p.get_portState(), GetPortState(a.PortState));
    values.set(p.get_supportedCOS(), GetCOS(a.PortSupportedClassofService));
    values.set(p.get_name(), string(a.PortSymbolicName, sizeof a.PortSymbolicName));
    values.set(p.get_osDeviceName(), string(a.OSDeviceName, sizeof a.OSDeviceName));
    values.set(p.get_maxSpeed(), GetPortSpeed(a.PortSupportedSpeed));
    values.set(p.get_speed(), GetPortSpeed(a.PortSpeed));
    values.set(p.get_supportedMaximumTransmissionUnit(), uint64(a.PortMaxFrameSize));
    values.set(p.get_fabricName(), text(toString(a.FabricName)));
    values.set(p.get_deviceID(), text(toString(a.PortWWN)));
    values.set(p.get_systemName(), classNames.getSystemName());
    values.set(p.get_systemCreationClassName(), KdClass(kdClass, classNames.getComputerSystemClass()).getName());
    jobjectArray status = checked(env, env->NewObjectArray(1, unsignedInt16.cls, nullptr));
    env->SetObjectArrayElement(status, 0, GetOperationalStatus(a.PortState));
    checkPending(env);
    values.set(p.get_operationalStatus(), status);
}

jobject HbaCacheImpl::MakeHbaPort(int adapterIndex, int portIndex, HBA_PORTATTRIBUTES& attributes) {
    WithTracing trace("MakeHbaPort");
    kelda::LocalFrame frame(env, 20);
    KdClass portClass(kdClass, classNames.getHbaPortClass());
    kelda::InstanceValues values(kdProperty, portClass);
    PopulateHbaPortValues(values.array(), attributes);
    HbaPortProvider::Static& p = hbaPortProvider;
    values.set(p.get_creationClassName(), portClass.getName());
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Adapter %d Port %d", adapterIndex, portIndex);
    jstring caption = text(buffer);
    values.set(p.get_caption(), caption);
    values.set(p.get_description(), caption);
    values.set(p.get_elementName(), caption);
    values.set(p.get_portNumber(), kelda::uint16(unsignedInt16, portIndex));
    return frame.pop(values.instance(kdInstance, classNames.getHbaPortClass()));
}

jobject HbaCacheImpl::MakeHbaDiscoPort(HBA_PORTATTRIBUTES& attributes) {
    WithTracing trace("MakeHbaDiscoPort");
    kelda::LocalFrame frame(env, 9);
    KdClass discoveredClass(kdClass, classNames.getHbaDiscoveredPortClass());
    kelda::InstanceValues values(kdProperty, discoveredClass);
    PopulateHbaPortValues(values.array(), attributes);
    values.set(hbaPortProvider.get_creationClassName(), discoveredClass.getName());
    return frame.pop(values.instance(kdInstance, classNames.getHbaDiscoveredPortClass()));
}

JNIEXPORT jobjectArray JNICALL Java_com_vantor_kelda_providers_hba_HbaCache_fillHbaCache(JNIEnv* env, jobject self,
                                                                                        jobject classNames) {
    if (env->EnsureLocalCapacity(1000) < 0) return nullptr;
    try {
        HbaCacheImpl impl(env, self, classNames);
        return impl.FillCache();
    } catch (...) {
        // A Java exception left pending stays for the caller; nothing C++ reaches the JVM.
        return nullptr;
    }
}
