// scsiInterrogate: the per-drive statistics of the array whose two controllers Java names.
#include <string.h>

#include <vector>

#include "com_vantor_kelda_providers_solaris_SolarisScsiInterrogator.h"
#include "jni/Export.h"
#include "jni/JniString.h"
#include "scsi/SolarisScsiInterrogatorC.h"

JNIEXPORT jstring JNICALL Java_com_vantor_kelda_providers_solaris_SolarisScsiInterrogator_scsiInterrogate(
    JNIEnv* env, jobject, jstring controller1, jstring controller2) {
    return jni::guardedExport<jstring>(env, jni::kNativeErrorsToJava, nullptr, [&] {
        jni::JniString id1(env, controller1);
        jni::JniString id2(env, controller2);
        // A null identifier matches no LUN, so the call still answers with a string.
        const char* chars1 = controller1 != nullptr ? id1.cText() : nullptr;
        const char* chars2 = controller2 != nullptr ? id2.cText() : nullptr;
        std::vector<char> result(SCSI_RESULT_LENGTH, '\0');
        scsiInterrogatorC(result.data(), chars1, chars2);
        if (result[0] == '\0') strcpy(result.data(), "    0");
        return jni::checked(env, jni::newJavaString(env, result.data()));
    });
}
