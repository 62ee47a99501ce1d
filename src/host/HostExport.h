// The shape of every host-inventory export: bind the Java data class and its constructor,
// then build the answer under kNativeErrorsToJava (jni/Export.h).
#pragma once
#include <jni.h>

#include "jni/Export.h"

// Binds DataClass<Data> and runs body(dataClass) under kNativeErrorsToJava; null when the
// class or its constructor is missing (its Java exception left pending) or the body fails.
template <class Data, class Body>
jobject dataExport(JNIEnv* env, Body&& body) noexcept {
    jni::DataClass<Data> dataClass(env);
    if (!dataClass.bound()) return nullptr;
    return jni::guardedExport<jobject>(env, jni::kNativeErrorsToJava, nullptr, [&] { return body(dataClass); });
}

// A java.util.Vector of make(record) for each record, in order; null objects are left out.
template <class Records, class Make>
jobject javaVectorOf(JNIEnv* env, Records&& records, Make&& make) {
    jni::JavaVector vector(env);
    for (auto& record : records) vector.add(make(record));
    return vector.get();
}
