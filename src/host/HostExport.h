// The shape of every host-inventory export: bind the Java data class and its constructor,
// then build the answer in a protected region (jni/Export.h).
#pragma once
#include <jni.h>

#include "jni/Export.h"

// Binds DataClass<Data> and runs body(dataClass) in a protectedRegion; null when the class or
// its constructor is missing (its Java exception left pending) or the body fails.
template <class Data, class Body>
jobject dataExport(JNIEnv* env, Body&& body) noexcept {
    DataClass<Data> dataClass(env);
    if (!dataClass.bound()) return nullptr;
    return protectedRegion(env, [&]() -> jobject { return body(dataClass); });
}

// The same with the export's own failure handlers: onNativeError(error, dataClass) and
// onOther(dataClass) give the result of a failed body (protectedRegion with handlers).
template <class Data, class Body, class OnNativeError, class OnOther>
jobject dataExport(JNIEnv* env, Body&& body, OnNativeError&& onNativeError, OnOther&& onOther) noexcept {
    DataClass<Data> dataClass(env);
    if (!dataClass.bound()) return nullptr;
    return protectedRegion(
        env, [&]() -> jobject { return body(dataClass); },
        [&](const NativeError& error) -> jobject { return onNativeError(error, dataClass); },
        [&]() -> jobject { return onOther(dataClass); });
}

// A java.util.Vector of make(record) for each record, in order; null objects are left out.
template <class Records, class Make>
jobject javaVectorOf(JNIEnv* env, Records&& records, Make&& make) {
    JavaVector vector(env);
    for (auto& record : records) vector.add(make(record));
    return vector.get();
}
