// enumerateProcessors and getProcessor.
#include "host/SolarisProcessor.h"

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "host/HostExport.h"
#include "jni/Export.h"
#include "sol/processor.h"
#include "sol/unistd.h"

namespace {

JAVA_HOLDER(ProcessorData,
    "com/vantor/kelda/providers/solaris/processor/SolarisProcessorProvider$SolarisProcessorData",
    JAVA_CONSTRUCTOR("(ILjava/lang/String;Ljava/lang/String;J)V"))

constexpr long kMaxProcessors = 128;
// Highest id probed when the platform cannot tell its own highest processor id.
constexpr long kFallbackCpuIdMax = 4095;

jobject makeProcessor(const ProcessorInfo& info, JNIEnv* env, jni::DataClass<ProcessorData>& dataClass) {
    jni::LocalFrame frame(env, 3);
    jstring type = jni::checked(env, jni::newJavaString(env, info.type));
    jstring status = jni::checked(env, jni::newJavaString(env, info.status));
    jobject object = dataClass.newObject(static_cast<jint>(info.id), type, status,
                                         static_cast<jlong>(info.clock));
    return frame.pop(object);
}

}  // namespace

std::vector<ProcessorInfo> GetProcessors() {
    std::vector<ProcessorInfo> processors;
    long n = sol::sysconf(SOL(_SC_NPROCESSORS_CONF));
    if (n > kMaxProcessors) n = kMaxProcessors;
    // Ids may have gaps; probing stops once n processors answered, or past the highest id
    // (a processor removed between the count and the probe must not make it run forever).
    long idMax = sol::sysconf(SOL(_SC_CPUID_MAX));
    if (idMax < 0) idMax = kFallbackCpuIdMax;
    for (long id = 0; n > 0 && id <= idMax; ++id) {
        sol::processor_info_t info;
        if (sol::processor_info(static_cast<sol::processorid_t>(id), &info) == -1) continue;
        info.pi_processor_type[sizeof info.pi_processor_type - 1] = '\0';
        processors.push_back(ProcessorInfo{static_cast<int32_t>(id), info.pi_processor_type,
                                           info.pi_state == SOL(P_ONLINE) ? "online" : "offline",
                                           static_cast<int32_t>(info.pi_clock)});
        --n;
    }
    return processors;
}

ProcessorInfo GetProcessorInfo(int id) {
    for (const ProcessorInfo& info : GetProcessors()) {
        if (info.id == id) return info;
    }
    throw jni::NativeError("Processor not found: " + std::to_string(id));
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_enumerateProcessors(JNIEnv* env, jobject) {
    return dataExport<ProcessorData>(env, [&](jni::DataClass<ProcessorData>& dataClass) {
        return javaVectorOf(env, GetProcessors(),
                            [&](const ProcessorInfo& info) { return makeProcessor(info, env, dataClass); });
    });
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getProcessor(JNIEnv* env, jobject, jint id) {
    return dataExport<ProcessorData>(
        env, [&](jni::DataClass<ProcessorData>& dataClass) { return makeProcessor(GetProcessorInfo(id), env, dataClass); });
}
