// fillHbaCache: every Fibre Channel adapter of the host as one tree of provider instances, read
// through the SNIA HBA API. Failed library calls leave null elements.
#include <climits>
#include <cstdio>
#include <optional>

#include "com_vantor_kelda_providers_hba_HbaCache.h"
#include "jni/Export.h"
#include "jni/LocalRef.h"
#include "kelda/common/hba/HbaCacheImpl.h"
#include "kelda/common/hba/HbaCodes.h"
#include "kelda/common/hba/HbaTreeReader.h"
#include "kelda/common/hba/TargetMapping.h"

namespace {

// The length of a Java array for a count the library announced. A count past what a Java
// array can hold is asked for as the largest one, which the JVM refuses with an
// OutOfMemoryError instead of misreading a negative length.
jsize arrayLength(HBA_UINT32 count) { return count > INT_MAX ? INT_MAX : static_cast<jsize>(count); }

}  // namespace

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
      hbaCacheClass(env),
      cache(hbaCacheClass, hbaCache),
      classNames(hbaClassNames, classNamesObject) {}

void HbaCacheImpl::store(jobjectArray array, jsize index, jobject element) {
    jni::LocalRef<jobject> stored(env, element);
    env->SetObjectArrayElement(array, index, stored.get());
    jni::checkPending(env);
}

// Builds the Java tree of HbaCache.Hba objects: each adapter's ports, each port's statistics
// and discovered ports, each discovered port's target mappings. Failed calls leave null
// elements.
class HbaCacheImpl::CacheFill : public HbaTreeVisitor {
public:
    explicit CacheFill(HbaCacheImpl& impl)
        : impl_(impl), env_(impl.env), adapter_(env_, nullptr), ports_(env_, nullptr), port_(env_, nullptr),
          discovered_(env_, nullptr) {}

    jobjectArray result() const { return result_; }

    bool begin(HBA_UINT32 count) override {
        jsize adapters = arrayLength(count);
        if (env_->EnsureLocalCapacity(adapters > INT_MAX / 10 ? INT_MAX : 10 * adapters) < 0) return false;
        result_ = jni::checked(env_, env_->NewObjectArray(adapters, impl_.hba.cls, nullptr));
        return true;
    }

    void failed(const char*) override {}

    void adapter(int index, const char*, HBA_ADAPTERATTRIBUTES& attributes, bool,
                 const FcpTargetMappingTable& mappings) override {
        mappings_ = &mappings;
        byPort_.emplace(mappings);
        HBA_UINT32 portCount = attributes.NumberOfPorts;
        adapter_.reset(impl_.MakeHba(index, attributes));
        ports_.reset(jni::checked(env_, env_->NewObjectArray(arrayLength(portCount), impl_.hbaPort.cls, nullptr)));
        impl_.store(result_, index, impl_.hba.newObject(impl_.hba.meth_init(), adapter_.get(), ports_.get()));
    }

    bool wantsStatistics() const override { return true; }

    void port(int adapterIndex, HBA_UINT32 p, HBA_PORTATTRIBUTES& attributes,
              const HBA_PORTSTATISTICS* statistics) override {
        HBA_UINT32 discoveredCount = attributes.NumberofDiscoveredPorts;
        port_.reset(impl_.MakeHbaPort(adapterIndex, static_cast<int>(p), attributes));
        jni::LocalRef<jobject> statisticsInstance(
            env_, statistics == nullptr ? nullptr : impl_.MakeHbaPortStats(attributes, *statistics));
        discovered_.reset(jni::checked(
            env_, env_->NewObjectArray(arrayLength(discoveredCount), impl_.hbaDiscoveredPort.cls, nullptr)));
        impl_.store(ports_.get(), static_cast<jsize>(p),
                    impl_.hbaPort.newObject(impl_.hbaPort.meth_init(), port_.get(), statisticsInstance.get(),
                                            discovered_.get()));
    }

    void discoveredPort(HBA_UINT32 d, HBA_PORTATTRIBUTES& attributes) override {
        jni::LocalRef<jobject> discoveredInstance(env_, impl_.MakeHbaDiscoPort(attributes));
        jni::LocalRef<jobjectArray> mappings(
            env_, impl_.targetMappings(port_.get(), discoveredInstance.get(), attributes.PortWWN, *mappings_, *byPort_));
        impl_.store(discovered_.get(), static_cast<jsize>(d),
                    impl_.hbaDiscoveredPort.newObject(impl_.hbaDiscoveredPort.meth_init(), discoveredInstance.get(),
                                                      mappings.get()));
    }

    void portDone() override {
        discovered_.reset();
        port_.reset();
    }

    void adapterDone() override {
        ports_.reset();
        adapter_.reset();
    }

private:
    HbaCacheImpl& impl_;
    JNIEnv* env_;
    jobjectArray result_ = nullptr;
    const FcpTargetMappingTable* mappings_ = nullptr;
    std::optional<MappingsByPort> byPort_;  // the current adapter's mappings by target port
    jni::LocalRef<jobject> adapter_;
    jni::LocalRef<jobjectArray> ports_;
    jni::LocalRef<jobject> port_;
    jni::LocalRef<jobjectArray> discovered_;
};

jobjectArray HbaCacheImpl::FillCache() {
    CacheFill fill(*this);
    readHbaTree(library, fill);
    return fill.result();
}

jobjectArray HbaCacheImpl::targetMappings(jobject port, jobject discovered, const HBA_WWN& portWWN,
                                          const FcpTargetMappingTable& table, const MappingsByPort& byPort) {
    const std::vector<HBA_UINT32>& matches = byPort.of(portWWN);
    jobjectArray mappings =
        jni::checked(env, env->NewObjectArray(static_cast<jsize>(matches.size()), kdInstance.cls, nullptr));
    jsize next = 0;
    for (HBA_UINT32 e : matches) store(mappings, next++, MakeTargetMapping(port, discovered, table.entry(e)));
    return mappings;
}

jobject HbaCacheImpl::MakeHba(int adapterIndex, HBA_ADAPTERATTRIBUTES& a) {
    jni::LocalFrame frame(env, 48);
    KdClass adapterClass(kdClass, classNames.getHostBusAdapterClass());
    kelda::InstanceValues values(kdProperty, adapterClass);
    HostBusAdapterProvider::Static& p = hostBusAdapterProvider;

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s:%d", toString(a.NodeWWN), adapterIndex);
    values.setText(p.get_deviceID(), buffer);
    values.set(p.get_creationClassName(), adapterClass.getName());
    values.set(p.get_systemName(), classNames.getSystemName());
    values.set(p.get_systemCreationClassName(), KdClass(kdClass, classNames.getComputerSystemClass()).getName());
    values.setText(p.get_manufacturer(), terminateString(a.Manufacturer, sizeof a.Manufacturer));
    values.setText(p.get_serialNumber(), terminateString(a.SerialNumber, sizeof a.SerialNumber));
    values.setText(p.get_model(), terminateString(a.Model, sizeof a.Model));
    values.setText(p.get_modelDescription(), terminateString(a.ModelDescription, sizeof a.ModelDescription));
    values.setText(p.get_name(), toString(a.NodeWWN));
    values.setText(p.get_nodeSymbolicName(), terminateString(a.NodeSymbolicName, sizeof a.NodeSymbolicName));
    values.setText(p.get_hardwareVersion(), terminateString(a.HardwareVersion, sizeof a.HardwareVersion));
    values.setText(p.get_driverVersion(), terminateString(a.DriverVersion, sizeof a.DriverVersion));
    values.setText(p.get_optionRomVersion(), terminateString(a.OptionROMVersion, sizeof a.OptionROMVersion));
    values.setText(p.get_firmwareVersion(), terminateString(a.FirmwareVersion, sizeof a.FirmwareVersion));
    values.set(p.get_vendorSpecificID(), kelda::uint32(unsignedInt32, a.VendorSpecificID));
    values.setText(p.get_driverName(), terminateString(a.DriverName, sizeof a.DriverName));
    std::snprintf(buffer, sizeof buffer, "Adapter %d", adapterIndex);
    jstring caption = jni::checked(env, jni::newJavaString(env, buffer));
    values.set(p.get_caption(), caption);
    values.set(p.get_description(), caption);
    values.set(p.get_elementName(), caption);
    return frame.pop(values.instance(kdInstance, classNames.getHostBusAdapterClass()));
}

void HbaCacheImpl::PopulateHbaPortValues(jobject valuesArray, HBA_PORTATTRIBUTES& a) {
    jni::LocalFrame frame(env, 44);  // popped with nothing: the values live in the caller's array
    kelda::InstanceValues values(kdProperty, static_cast<jobjectArray>(valuesArray));
    HbaPortProvider::Static& p = hbaPortProvider;

    values.setText(p.get_nodeWWN(), toString(a.NodeWWN));
    values.setText(p.get_permanentAddress(), toString(a.PortWWN));
    values.set(p.get_portFcId(), kelda::uint32(unsignedInt32, a.PortFcId));
    values.set(p.get_portType(), GetPortType(a.PortType));
    values.set(p.get_portState(), GetPortState(a.PortState));
    values.set(p.get_supportedCOS(), GetCOS(a.PortSupportedClassofService));
    values.setText(p.get_name(), terminateString(a.PortSymbolicName, sizeof a.PortSymbolicName));
    values.setText(p.get_osDeviceName(), terminateString(a.OSDeviceName, sizeof a.OSDeviceName));
    values.set(p.get_maxSpeed(), GetPortSpeed(a.PortSupportedSpeed));
    values.set(p.get_speed(), GetPortSpeed(a.PortSpeed));
    values.set(p.get_supportedMaximumTransmissionUnit(), uint64(a.PortMaxFrameSize));
    values.setText(p.get_fabricName(), toString(a.FabricName));
    values.setText(p.get_deviceID(), toString(a.PortWWN));
    values.set(p.get_systemName(), classNames.getSystemName());
    values.set(p.get_systemCreationClassName(), KdClass(kdClass, classNames.getComputerSystemClass()).getName());
    jobjectArray status = jni::checked(env, env->NewObjectArray(1, unsignedInt16.cls, nullptr));
    env->SetObjectArrayElement(status, 0, GetOperationalStatus(a.PortState));
    jni::checkPending(env);
    values.set(p.get_operationalStatus(), status);
}

jobject HbaCacheImpl::MakeHbaPort(int adapterIndex, int portIndex, HBA_PORTATTRIBUTES& attributes) {
    jni::LocalFrame frame(env, 20);
    KdClass portClass(kdClass, classNames.getHbaPortClass());
    kelda::InstanceValues values(kdProperty, portClass);
    PopulateHbaPortValues(values.array(), attributes);
    HbaPortProvider::Static& p = hbaPortProvider;
    values.set(p.get_creationClassName(), portClass.getName());
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Adapter %d Port %d", adapterIndex, portIndex);
    jstring caption = jni::checked(env, jni::newJavaString(env, buffer));
    values.set(p.get_caption(), caption);
    values.set(p.get_description(), caption);
    values.set(p.get_elementName(), caption);
    values.set(p.get_portNumber(), kelda::uint16(unsignedInt16, portIndex));
    return frame.pop(values.instance(kdInstance, classNames.getHbaPortClass()));
}

jobject HbaCacheImpl::MakeHbaDiscoPort(HBA_PORTATTRIBUTES& attributes) {
    jni::LocalFrame frame(env, 9);
    KdClass discoveredClass(kdClass, classNames.getHbaDiscoveredPortClass());
    kelda::InstanceValues values(kdProperty, discoveredClass);
    PopulateHbaPortValues(values.array(), attributes);
    values.set(hbaPortProvider.get_creationClassName(), discoveredClass.getName());
    return frame.pop(values.instance(kdInstance, classNames.getHbaDiscoveredPortClass()));
}

JNIEXPORT jobjectArray JNICALL Java_com_vantor_kelda_providers_hba_HbaCache_fillHbaCache(JNIEnv* env, jobject self,
                                                                                        jobject classNames) {
    if (env->EnsureLocalCapacity(1000) < 0) return nullptr;
    return jni::guardedExport<jobjectArray>(env, jni::kPendingOnly, nullptr, [&] {
        HbaCacheImpl impl(env, self, classNames);
        return impl.FillCache();
    });
}
