// The shape of the disk providers' JNI exports.
#pragma once
#include <jni.h>

#include "jni/JavaException.h"
#include "jni/ThrowJavaError.h"

namespace disk {

// Runs `body`. A Java exception met on the way ends it quietly and stays pending for the Java
// caller; any other failure becomes a pending java.lang.RuntimeException. Nothing C++ leaves.
template <class Body>
void runDiskCall(JNIEnv* env, Body&& body) noexcept {
    try {
        try {
            body();
        } catch (const JavaExceptionPending&) {
        } catch (...) {
            if (!env->ExceptionCheck()) ThrowJavaError(env, "UNKNOWN EXCEPTION");
        }
    } catch (...) {
    }
}

}  // namespace disk
