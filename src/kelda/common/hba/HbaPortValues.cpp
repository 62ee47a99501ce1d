// HBA API codes as Java values: the HbaPortProvider constants, classes of service, speeds; and
// the port statistics instance.
#include "kelda/common/hba/HbaCacheImpl.h"
#include "kelda/common/hba/HbaCodes.h"
#include "jni/LocalRef.h"
#include "kelda/common/hba/TargetMapping.h"

jobject HbaCacheImpl::GetPortType(HBA_UINT32 code) {
    return (hbaPortProvider.*portTypeConstant(code))();
}

jobject HbaCacheImpl::GetPortState(HBA_UINT32 code) {
    return (hbaPortProvider.*portStateConstant(code))();
}

jobject HbaCacheImpl::GetOperationalStatus(HBA_UINT32 code) {
    return (hbaPortProvider.*operationalStatusConstant(code))();
}

jobject HbaCacheImpl::GetCOS(HBA_UINT32 mask) {
    jsize count = 0;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (mask & (1u << bit)) ++count;
    }
    jobjectArray classes = jni::checked(env, env->NewObjectArray(count, unsignedInt16.cls, nullptr));
    jsize next = 0;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (mask & (1u << bit)) {
            jni::LocalRef<jobject> constant(env, (hbaPortProvider.*classOfServiceConstant(bit))());
            env->SetObjectArrayElement(classes, next++, constant.get());
            jni::checkPending(env);
        }
    }
    return classes;
}

jobject HbaCacheImpl::GetPortSpeed(HBA_UINT32 code) {
    return uint64(static_cast<long long>(portSpeedBitsPerSecond(code)));
}

jobject HbaCacheImpl::MakeHbaPortStats(const HBA_PORTATTRIBUTES& attributes, const HBA_PORTSTATISTICS& s) {
    jni::LocalFrame frame(env, 44);
    KdClass statisticsClass(kdClass, classNames.getFCPortStatisticsClass());
    kelda::InstanceValues values(kdProperty, statisticsClass);
    FCPortStatisticsProvider::Static& p = fcPortStatisticsProvider;

    values.setText(p.get_elementName(), toString(attributes.PortWWN));
    values.setText(p.get_instanceID(), toString(attributes.PortWWN));
    values.set(p.get_packetsTransmitted(), uint64(s.TxFrames));
    values.set(p.get_packetsReceived(), uint64(s.RxFrames));
    values.set(p.get_lipCount(), uint64(s.LIPCount));
    values.set(p.get_nosCount(), uint64(s.NOSCount));
    values.set(p.get_errorFrames(), uint64(s.ErrorFrames));
    values.set(p.get_dumpedFrames(), uint64(s.DumpedFrames));
    values.set(p.get_linkFailures(), uint64(s.LinkFailureCount));
    values.set(p.get_lossOfSyncCounter(), uint64(s.LossOfSyncCount));
    values.set(p.get_lossOfSignalCounter(), uint64(s.LossOfSignalCount));
    values.set(p.get_primitiveSeqProtocolErrCount(), uint64(s.PrimitiveSeqProtocolErrCount));
    values.set(p.get_invalidTransmissionWords(), uint64(s.InvalidTxWordCount));
    values.set(p.get_crcErrors(), uint64(s.InvalidCRCCount));
    return frame.pop(values.instance(kdInstance, classNames.getFCPortStatisticsClass()));
}

jobject HbaCacheImpl::MakeTargetMapping(jobject port, jobject discoveredPort, const HBA_FcpScsiEntry& entry) {
    jni::LocalFrame frame(env, 26);
    KdClass mappingClass(kdClass, classNames.getTargetMappingClass());
    kelda::InstanceValues values(kdProperty, mappingClass);
    TargetMappingProvider::Static& p = targetMappingProvider;

    values.set(p.get_antecedent(), port);
    values.set(p.get_dependent(), discoveredPort);
    unsigned int bus = divineScsiBusNumber(entry, rawDeviceBuses);
    values.set(p.get_scsiBus(), kelda::uint32(unsignedInt32, bus));
    values.set(p.get_targetId(), kelda::uint32(unsignedInt32, entry.ScsiId.ScsiTargetNumber));
    values.set(p.get_scsiLun(), kelda::uint32(unsignedInt32, entry.ScsiId.ScsiOSLun));
    char name[256];
    chooseDeviceName(
        entry, bus, [&] { return classNames.isKeepOsDeviceName(); },
        [&] { return cache.usingLeadvilleHeuristicForTargetMappings(); },
        [&] { return cache.forceLeadvilleHeuristicForTargetMappings(); }, name);
    values.setText(p.get_osDeviceName(), terminateString(name, sizeof name));
    values.set(p.get_exportedLUN(), uint64(exportedLun(entry.FcpId.FcpLun)));
    values.setText(p.get_discoveredPortWWN(), toString(entry.FcpId.PortWWN));
    return frame.pop(values.instance(kdInstance, classNames.getTargetMappingClass()));
}
