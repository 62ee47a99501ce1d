// enumerateDiskIOInformation and getDiskIOInformation.
#include "host/SolarisDiskIOInformation.h"

#include <string.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "devices/SolarisDiskMap.h"
#include "host/KstatHandle.h"
#include "host/HostExport.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "jni/LocalRef.h"
#include "sol/kstat.h"

namespace {

JAVA_HOLDER(DiskIOInformationData,
    "com/vantor/kelda/providers/solaris/SolarisDiskIOInformationProvider$SolarisDiskIOInformation",
    JAVA_CONSTRUCTOR("(Ljava/lang/String;Ljava/lang/String;JJJJ)V"))

const char* const kKstatOpenFailed = "kstat open failed.";

// Whole disks only: the statistics of their partitions have the class "partition".
bool isDiskStatistic(const sol::kstat_t* ksp) {
    return ksp->ks_type == SOL(KSTAT_TYPE_IO) && std::strncmp(ksp->ks_class, "disk", sizeof ksp->ks_class) == 0;
}

std::string kstatName(const sol::kstat_t* ksp) { return std::string(ksp->ks_name, strnlen(ksp->ks_name, sizeof ksp->ks_name)); }

jobject makeDiskIOInfo(diskIOData data, jstring deviceId, JNIEnv* env,
                       jni::DataClass<DiskIOInformationData>& dataClass) {
    jni::LocalFrame frame(env, 2);
    jstring name = jni::checked(env, jni::newJavaString(env, data.name));
    jobject object = dataClass.newObject(name, deviceId, static_cast<jlong>(data.bytesRead),
                                         static_cast<jlong>(data.bytesWritten),
                                         static_cast<jlong>(data.waitQueueUpdateTime),
                                         static_cast<jlong>(data.runTime));
    return frame.pop(object);
}

jobject makeDiskIOInfo(diskIOData data, JNIEnv* env, jni::DataClass<DiskIOInformationData>& dataClass) {
    jni::LocalRef<jstring> deviceId(env, jni::checked(env, jni::newJavaString(env, data.deviceId)));
    return makeDiskIOInfo(std::move(data), deviceId.get(), env, dataClass);
}

// Reads a disk statistic into `record`, its device id from `map`; false when it cannot be read.
bool readRecord(sol::kstat_ctl_t* kc, sol::kstat_t* ksp, const SolarisDiskMap& map, diskIOData& record) {
    // Copied from the statistic's own buffer, so a record of another size cannot overrun.
    if (sol::kstat_read(kc, ksp, nullptr) == -1 || ksp->ks_data == nullptr) return false;
    sol::kstat_io_t io{};
    std::memcpy(&io, ksp->ks_data, std::min(ksp->ks_data_size, sizeof io));
    record.name = kstatName(ksp);
    record.deviceId = map.getDeviceIdFromMap(record.name);
    record.bytesRead = io.nread;
    record.bytesWritten = io.nwritten;
    record.runTime = io.rtime;
    record.waitQueueUpdateTime = io.wlastupdate;
    return true;
}

// The record of the first readable disk statistic named `sdxName`, or none. Only that
// statistic is read, and the map already built serves for its device id.
std::optional<diskIOData> findDiskIOData(const SolarisDiskMap& map, const std::string& sdxName) {
    KstatHandle handle(kKstatOpenFailed);
    for (sol::kstat_t* ksp = handle.kc->kc_chain; ksp != nullptr; ksp = ksp->ks_next) {
        if (!isDiskStatistic(ksp) || kstatName(ksp) != sdxName) continue;
        diskIOData record;
        if (readRecord(handle.kc, ksp, map, record)) return record;
    }
    return std::nullopt;
}

// The record of the disk with device id `deviceId`, or none (also for an id the disk map does
// not hold, which is answered without opening the statistics). One map serves both lookups.
std::optional<diskIOData> lookupDiskIOData(const std::string& deviceId) {
    SolarisDiskMap map;
    std::string sdxName = map.getSDxNameFromMap(deviceId);
    if (sdxName.empty()) return std::nullopt;
    return findDiskIOData(map, sdxName);
}

}  // namespace

std::vector<diskIOData> getDiskIOData() {
    KstatHandle handle(kKstatOpenFailed);
    SolarisDiskMap map;
    std::vector<diskIOData> records;
    for (sol::kstat_t* ksp = handle.kc->kc_chain; ksp != nullptr; ksp = ksp->ks_next) {
        if (!isDiskStatistic(ksp)) continue;
        diskIOData record;
        if (readRecord(handle.kc, ksp, map, record)) records.push_back(std::move(record));
    }
    return records;
}

std::string getSDxName(const std::string& deviceId) { return SolarisDiskMap().getSDxNameFromMap(deviceId); }

diskIOData getDiskIOData(const std::string& deviceId) {
    if (auto record = lookupDiskIOData(deviceId)) return std::move(*record);
    throw jni::DiskIONameNotFound(deviceId);
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_enumerateDiskIOInformation(JNIEnv* env, jobject) {
    return dataExport<DiskIOInformationData>(env, [&](jni::DataClass<DiskIOInformationData>& dataClass) {
        return javaVectorOf(env, getDiskIOData(),
                            [&](diskIOData& record) { return makeDiskIOInfo(std::move(record), env, dataClass); });
    });
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getDiskIOInformation(JNIEnv* env, jobject, jstring name) {
    return dataExport<DiskIOInformationData>(env, [&](jni::DataClass<DiskIOInformationData>& dataClass) -> jobject {
        // No such disk: null, no exception. The caller's own string goes back as the device id.
        jni::JniString deviceId(env, name);
        auto record = lookupDiskIOData(deviceId.text());
        return record ? makeDiskIOInfo(std::move(*record), name, env, dataClass) : nullptr;
    });
}
