// The JNI entry points of SolarisFsrmScanJob: a full scan and a test scan, each run on the
// calling Java thread in a scan context of its own, so scans on several threads run side by
// side. Nothing C++ unwinds into the JVM; a Java exception raised by a callback is raised
// again for the caller once the scan is over.
#include <cstring>
#include <string>

#include "com_vantor_kelda_providers_solaris_SolarisFsrmScanJob.h"
#include "fsscan/CallbackClass.h"
#include "fsscan/VolumeList.h"
#include "fsscan/XGather.h"
#include "jni/Export.h"
#include "jni/JniString.h"

JNIEXPORT void JNICALL Java_com_vantor_kelda_providers_solaris_SolarisFsrmScanJob_startScan(JNIEnv* env, jobject obj,
                                                                                             jint jobId, jstring directory,
                                                                                             jobject) {
    jni::guardedExport(env, jni::kPendingOnly, [&] {
        ScanContext context(env, obj);
        CallbackClass callback(env, obj);
        XGather gather(context);
        gather.SetCallbackClass(&callback);
        // One byte more than a directory string may have, so a string that is too long
        // still reaches the length check instead of being cut to an acceptable one.
        char buffer[XGather::DIRECTORY_SIZE + 1] = "";
        if (directory != nullptr) {
            jni::JniString path(env, directory);
            size_t length = std::strlen(path.cText());
            size_t copied = length < XGather::DIRECTORY_SIZE ? length : XGather::DIRECTORY_SIZE;
            std::memcpy(buffer, path.cText(), copied);
            buffer[copied] = '\0';
        }
        gather.ScanDrives(buffer, jobId);
        callback.rethrowDeferred();
    });
}

JNIEXPORT void JNICALL Java_com_vantor_kelda_providers_solaris_SolarisFsrmScanJob_startTestScan(JNIEnv* env,
                                                                                                 jobject obj) {
    jni::guardedExport(env, jni::kPendingOnly, [&] {
        std::string volumes = " ";
        appendTestScanVolumes(volumes);
        ScanContext context(env, obj);
        CallbackClass callback(env, obj);
        XGather gather(context);
        gather.SetCallbackClass(&callback);
        gather.startTestScan(volumes.c_str());
        callback.rethrowDeferred();
    });
}
