// getOperatingSystem: name, node name, version and the memory figures of the host.
#include "host/SolarisOperatingSystem.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "host/KstatHandle.h"
#include "jni/Export.h"
#include "sol/kstat.h"
#include "sol/sysinfo.h"
#include "sol/unistd.h"
#include "sol/utsname.h"

namespace {

JAVA_HOLDER(OperatingSystemData,
    "com/vantor/kelda/providers/solaris/SolarisOperatingSystemProvider$SolarisOperatingSystem",
    JAVA_CONSTRUCTOR("(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJJJ)V"))

// One sample of unix:0:vminfo; false when the statistic is missing or cannot be read. The
// record is copied from the statistic's own buffer, so a longer record (illumos adds a
// field) cannot overrun the local one.
bool sampleVminfo(sol::kstat_ctl_t* kc, sol::vminfo_t& sample) {
    sol::kstat_t* ksp = sol::kstat_lookup(kc, "unix", 0, "vminfo");
    if (ksp == nullptr) return false;
    if (sol::kstat_read(kc, ksp, nullptr) == -1 || ksp->ks_data == nullptr) return false;
    sample = sol::vminfo_t{};
    std::memcpy(&sample, ksp->ks_data, std::min(ksp->ks_data_size, sizeof sample));
    return true;
}

// Page-count difference to kilobytes, in unsigned 64-bit arithmetic.
int64_t pagesToKb(uint64_t pages, long pageSize) {
    return static_cast<int64_t>(pages * static_cast<uint64_t>(pageSize) / 1024);
}


}  // namespace

OsMemoryInfo GetOSMemoryInfo() {
    OsMemoryInfo info{};
    long pageSize = sol::sysconf(SOL(_SC_PAGESIZE));
    // Pages times whole kilobytes per page, as a 32-bit product widened with its sign.
    int32_t pageKb = static_cast<int32_t>(pageSize / 1024);
    info.totalPhysicalMemory = static_cast<int32_t>(static_cast<int64_t>(sol::sysconf(SOL(_SC_PHYS_PAGES))) * pageKb);
    info.freePhysicalMemory = static_cast<int32_t>(static_cast<int64_t>(sol::sysconf(SOL(_SC_AVPHYS_PAGES))) * pageKb);

    KstatHandle handle("kstat open failed");
    sol::kstat_ctl_t* kc = handle.kc;

    sol::vminfo_t previous, current;
    if (!sampleVminfo(kc, previous)) return info;
    ::sleep(1);
    if (!sampleVminfo(kc, current)) return info;

    info.totalSwap = pagesToKb((current.swap_avail - previous.swap_avail) + (current.swap_resv - previous.swap_resv), pageSize);
    info.freeSwap = pagesToKb(current.swap_avail - previous.swap_avail, pageSize);
    info.freePhysicalMemory = pagesToKb(current.freemem - previous.freemem, pageSize);
    return info;
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getOperatingSystem(JNIEnv* env, jobject) {
    jni::DataClass<OperatingSystemData> dataClass(env);
    if (!dataClass.bound()) return nullptr;
    // A NativeError gives null, any other failure a blank object; neither raises.
    return jni::guardedExport<jobject>(
        env, jni::kFallbackOnOtherFailures, nullptr,
        [&]() -> jobject {
            sol::utsname name;
            if (sol::uname(&name) == -1) throw jni::NativeError("uname failed in getOperatingSystem");
            jstring sysName = jni::checked(env, jni::newJavaString(env, name.sysname));
            jstring nodeName = jni::checked(env, jni::newJavaString(env, name.nodename));
            jstring versionRelease = jni::checked(env, jni::newJavaString(env, std::string(name.version) + "." + name.release));
            OsMemoryInfo memory = GetOSMemoryInfo();
            return dataClass.newObject(sysName, nodeName, versionRelease,
                                       static_cast<jlong>(memory.totalPhysicalMemory),
                                       static_cast<jlong>(memory.freePhysicalMemory),
                                       static_cast<jlong>(memory.totalSwap), static_cast<jlong>(memory.freeSwap));
        },
        [&]() -> jobject {
            jstring blank = jni::checked(env, jni::newJavaString(env, " "));
            return dataClass.newObject(blank, blank, blank, jlong{0}, jlong{0}, jlong{0}, jlong{0});
        });
}
