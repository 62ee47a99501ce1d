// enumerateDiskIOInformation and getDiskIOInformation.
#include "host/SolarisDiskIOInformation.h"

#include <string.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "devices/SolarisDiskMap.h"
#include "host/KstatHandle.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "sol/kstat.h"

namespace {

const DataClass diskIOInformationClassName{
    "com/vantor/kelda/providers/solaris/SolarisDiskIOInformationProvider$SolarisDiskIOInformation",
    "(Ljava/lang/String;Ljava/lang/String;JJJJ)V"};

const char* const kKstatOpenFailed = "kstat open failed.";

// Whole disks only: the statistics of their partitions have the class "partition".
bool isDiskStatistic(const sol::kstat_t* ksp) {
    return ksp->ks_type == SOL(KSTAT_TYPE_IO) && std::strncmp(ksp->ks_class, "disk", sizeof ksp->ks_class) == 0;
}

std::string kstatName(const sol::kstat_t* ksp) { return std::string(ksp->ks_name, strnlen(ksp->ks_name, sizeof ksp->ks_name)); }

jobject makeDiskIOInfo(diskIOData data, jstring deviceId, JNIEnv* env, jclass cls, jmethodID ctor) {
    jstring name = javaString(env, data.name);
    jobject object = newDataObject(env, cls, ctor, name, deviceId, static_cast<jlong>(data.bytesRead),
                                   static_cast<jlong>(data.bytesWritten),
                                   static_cast<jlong>(data.waitQueueUpdateTime), static_cast<jlong>(data.runTime));
    env->DeleteLocalRef(name);
    return object;
}

jobject makeDiskIOInfo(diskIOData data, JNIEnv* env, jclass cls, jmethodID ctor) {
    jstring deviceId = javaString(env, data.deviceId);
    jobject object = makeDiskIOInfo(std::move(data), deviceId, env, cls, ctor);
    env->DeleteLocalRef(deviceId);
    return object;
}

}  // namespace

std::vector<diskIOData> getDiskIOData() {
    KstatHandle handle(kKstatOpenFailed);
    auto map = std::make_unique<SolarisDiskMap>();
    std::vector<diskIOData> records;
    for (sol::kstat_t* ksp = handle.kc->kc_chain; ksp != nullptr; ksp = ksp->ks_next) {
        if (!isDiskStatistic(ksp)) continue;
        // Copied from the statistic's own buffer, so a record of another size cannot overrun.
        if (sol::kstat_read(handle.kc, ksp, nullptr) == -1 || ksp->ks_data == nullptr) continue;
        sol::kstat_io_t io{};
        std::memcpy(&io, ksp->ks_data, std::min(ksp->ks_data_size, sizeof io));
        diskIOData record;
        record.name = kstatName(ksp);
        record.deviceId = map->getDeviceIdFromMap(record.name);
        record.bytesRead = io.nread;
        record.bytesWritten = io.nwritten;
        record.runTime = io.rtime;
        record.waitQueueUpdateTime = io.wlastupdate;
        records.push_back(std::move(record));
    }
    return records;
}

std::string getSDxName(const std::string& deviceId) {
    auto map = std::make_unique<SolarisDiskMap>();
    return map->getSDxNameFromMap(deviceId);
}

diskIOData getDiskIOData(const std::string& deviceId) {
    std::string sdxName = getSDxName(deviceId);
    if (!sdxName.empty()) {
        for (diskIOData& record : getDiskIOData()) {
            if (record.name == sdxName) return record;
        }
    }
    throw DiskIONameNotFound(deviceId);
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_enumerateDiskIOInformation(JNIEnv* env, jobject) {
    jclass cls;
    jmethodID ctor;
    if (!GetClassAndMethod(env, diskIOInformationClassName, cls, ctor)) return nullptr;
    return protectedRegion(env, [&]() -> jobject {
        JavaVector disks(env);
        for (diskIOData& record : getDiskIOData()) disks.add(makeDiskIOInfo(std::move(record), env, cls, ctor));
        return disks.get();
    });
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getDiskIOInformation(JNIEnv* env, jobject, jstring name) {
    jclass cls;
    jmethodID ctor;
    if (!GetClassAndMethod(env, diskIOInformationClassName, cls, ctor)) return nullptr;
    JniString deviceIdChars(env, name);
    return protectedRegion(env, [&]() -> jobject {
        std::string deviceId = fromModifiedUtf8(deviceIdChars.chars());
        std::string sdxName = getSDxName(deviceId);
        if (sdxName.empty()) return nullptr;  // no such disk: null, no exception
        for (diskIOData& record : getDiskIOData()) {
            // The caller's own string goes back as the device id.
            if (record.name == sdxName) return makeDiskIOInfo(std::move(record), name, env, cls, ctor);
        }
        return nullptr;
    });
}
