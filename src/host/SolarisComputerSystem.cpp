// getComputerSystem: the machine's identity strings from sysinfo.
#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "jni/Export.h"
#include "jni/LocalRef.h"
#include "sol/systeminfo.h"

namespace {

JAVA_HOLDER(ComputerSystemData,
    "com/vantor/kelda/providers/solaris/SolarisComputerSystemProvider$SolarisComputerSystem",
    JAVA_CONSTRUCTOR("(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V"))

}  // namespace

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getComputerSystem(JNIEnv* env, jobject) {
    // Fields 1, 2, 4 and 5 stay " " when their sysinfo command fails; field 3 is always "unknown".
    jni::LocalRef<jstring> fields[5] = {{env, nullptr}, {env, nullptr}, {env, nullptr}, {env, nullptr}, {env, nullptr}};
    for (int i = 0; i < 5; ++i) {
        fields[i].reset(jni::newJavaString(env, i == 2 ? "unknown" : " "));
        if (!fields[i]) return nullptr;
    }
    jni::DataClass<ComputerSystemData> dataClass(env);
    if (!dataClass.bound()) return nullptr;
    auto build = [&]() -> jobject {
        return dataClass.newObject(fields[0].get(), fields[1].get(), fields[2].get(), fields[3].get(), fields[4].get());
    };
    // Any failure: the object from the strings gathered so far, with no Java exception.
    return jni::guardedExport<jobject>(
        env, jni::kFallbackOnAnyFailure, nullptr,
        [&]() -> jobject {
            static const struct { int command; int field; } commands[] = {
                {SOL(SI_SYSNAME), 0}, {SOL(SI_HOSTNAME), 1}, {SOL(SI_PLATFORM), 3}, {SOL(SI_VERSION), 4}};
            char buf[128];
            for (const auto& c : commands) {
                if (sol::sysinfo(c.command, buf, sizeof buf) >= 0) {
                    fields[c.field].reset(jni::checked(env, jni::newJavaString(env, buf)));
                }
            }
            return build();
        },
        build);
}
