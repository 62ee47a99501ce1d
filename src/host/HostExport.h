// The shape of every host-inventory export: resolve the Java data class and its constructor,
// then build the answer in a protected region (jni/Export.h).
#pragma once
#include <jni.h>

#include "jni/Export.h"

// Resolves `dataClass` and runs body(cls, ctor) in a protectedRegion; null when the lookup
// fails (its Java exception left pending) or the body fails.
template <class Body>
jobject dataExport(JNIEnv* env, const DataClass& dataClass, Body&& body) noexcept {
    jclass cls;
    jmethodID ctor;
    if (!GetClassAndMethod(env, dataClass, cls, ctor)) return nullptr;
    return protectedRegion(env, [&]() -> jobject { return body(cls, ctor); });
}

// The same with the export's own failure handlers: onNativeError(error, cls, ctor) and
// onOther(cls, ctor) give the result of a failed body (protectedRegion with handlers).
template <class Body, class OnNativeError, class OnOther>
jobject dataExport(JNIEnv* env, const DataClass& dataClass, Body&& body, OnNativeError&& onNativeError,
                   OnOther&& onOther) noexcept {
    jclass cls;
    jmethodID ctor;
    if (!GetClassAndMethod(env, dataClass, cls, ctor)) return nullptr;
    return protectedRegion(
        env, [&]() -> jobject { return body(cls, ctor); },
        [&](const NativeError& error) -> jobject { return onNativeError(error, cls, ctor); },
        [&]() -> jobject { return onOther(cls, ctor); });
}

// A java.util.Vector of make(record) for each record, in order; null objects are left out.
template <class Records, class Make>
jobject javaVectorOf(JNIEnv* env, Records&& records, Make&& make) {
    JavaVector vector(env);
    for (auto& record : records) vector.add(make(record));
    return vector.get();
}
