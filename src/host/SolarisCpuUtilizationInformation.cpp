// enumerateCpuUtilizationInfo and getCpuUtilizationInfo.
#include "host/SolarisCpuUtilizationInformation.h"

#include <cstring>
#include <string>

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "host/KstatHandle.h"
#include "host/HostExport.h"
#include "jni/Export.h"
#include "sol/kstat.h"
#include "sol/sysinfo.h"

namespace {

JAVA_HOLDER(CpuUtilizationData,
    "com/vantor/kelda/providers/solaris/processor/SolarisCpuUtilizationInformationProvider$SolarisCpuUtilizationData",
    JAVA_CONSTRUCTOR("(IJJJJ)V"))

const char* const kKstatOpenFailed = "kstat open failed.";

// Reads a cpu_stat statistic into `info`; false when it cannot be read or holds no complete
// cpu_sysinfo record.
bool readCpuStat(sol::kstat_ctl_t* kc, sol::kstat_t* ksp, int id, CpuUtilInfo& info) {
    if (sol::kstat_read(kc, ksp, nullptr) == -1 || ksp->ks_data == nullptr) return false;
    constexpr size_t kEnd = offsetof(sol::cpu_stat_t, cpu_sysinfo) + sizeof(sol::cpu_sysinfo_t);
    if (ksp->ks_data_size < kEnd) return false;
    sol::cpu_sysinfo_t sysinfo;
    std::memcpy(&sysinfo, static_cast<const char*>(ksp->ks_data) + offsetof(sol::cpu_stat_t, cpu_sysinfo),
                sizeof sysinfo);
    // The unsigned counters travel as signed 32-bit values.
    info.id = id;
    info.user = static_cast<int32_t>(sysinfo.cpu[SOL(CPU_USER)]);
    info.kernel = static_cast<int32_t>(sysinfo.cpu[SOL(CPU_KERNEL)]);
    info.wait = static_cast<int32_t>(sysinfo.cpu[SOL(CPU_WAIT)]);
    info.idle = static_cast<int32_t>(sysinfo.cpu[SOL(CPU_IDLE)]);
    return true;
}

jobject makeCpuUtilInfo(CpuUtilInfo info, jni::DataClass<CpuUtilizationData>& dataClass) {
    return dataClass.newObject(static_cast<jint>(info.id), static_cast<jlong>(info.user),
                               static_cast<jlong>(info.kernel), static_cast<jlong>(info.wait),
                               static_cast<jlong>(info.idle));
}

}  // namespace

std::vector<CpuUtilInfo> getCpuUtilInfos() {
    KstatHandle handle(kKstatOpenFailed);
    std::vector<CpuUtilInfo> infos;
    for (sol::kstat_t* ksp = handle.kc->kc_chain; ksp != nullptr; ksp = ksp->ks_next) {
        if (std::strncmp(ksp->ks_name, "cpu_stat", 8) != 0) continue;
        CpuUtilInfo info;
        if (readCpuStat(handle.kc, ksp, ksp->ks_instance, info)) infos.push_back(info);
    }
    return infos;
}

CpuUtilInfo getCpuUtilInfo(int id) {
    KstatHandle handle(kKstatOpenFailed);
    // A negative instance would match any processor's statistic.
    sol::kstat_t* ksp = id < 0 ? nullptr : sol::kstat_lookup(handle.kc, "cpu_stat", id, nullptr);
    if (ksp == nullptr) throw jni::NativeError("No cpu_stat statistic for processor " + std::to_string(id));
    CpuUtilInfo info;
    if (!readCpuStat(handle.kc, ksp, id, info))
        throw jni::NativeError("Unable to read the cpu_stat statistic of processor " + std::to_string(id));
    return info;
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_enumerateCpuUtilizationInfo(JNIEnv* env, jobject) {
    return dataExport<CpuUtilizationData>(env, [&](jni::DataClass<CpuUtilizationData>& dataClass) {
        return javaVectorOf(env, getCpuUtilInfos(),
                            [&](const CpuUtilInfo& info) { return makeCpuUtilInfo(info, dataClass); });
    });
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getCpuUtilizationInfo(JNIEnv* env, jobject, jint id) {
    return dataExport<CpuUtilizationData>(
        env, [&](jni::DataClass<CpuUtilizationData>& dataClass) { return makeCpuUtilInfo(getCpuUtilInfo(id), dataClass); });
}
