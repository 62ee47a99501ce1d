// The export pattern of the host inventory: resolve the Java data class and its constructor,
// gather native records in a protected region, build the Java objects, and turn every native
// failure into the Java answer in one place, so nothing C++ ever unwinds into the JVM.
#pragma once
#include <jni.h>

#include <string>
#include <utility>

#include "jni/JavaException.h"
#include "jni/JavaText.h"
#include "jni/NativeError.h"
#include "jni/ThrowJavaError.h"

// A Java data class and its constructor, resolved afresh for each call.
struct DataClass {
    const char* name;       // slash-separated class name
    const char* signature;  // constructor signature
};

// Resolves the class and its "<init>"; false (with the Java exception pending) when either
// lookup fails.
bool GetClassAndMethod(JNIEnv* env, const DataClass& dataClass, jclass& cls, jmethodID& ctor);

// A new object of `cls`; raises JavaExceptionPending when construction failed.
template <class... Args>
jobject newDataObject(JNIEnv* env, jclass cls, jmethodID ctor, Args... args) {
    jobject object = env->NewObject(cls, ctor, args...);
    checkPending(env);
    return object;
}

// A new Java string; raises JavaExceptionPending when it could not be made.
inline jstring javaString(JNIEnv* env, const std::string& text) { return checked(env, newJavaString(env, text)); }

// A java.util.Vector filled element by element; each element's local reference is released
// once the vector holds it, so a list of any length stays within the local-reference capacity.
class JavaVector {
public:
    explicit JavaVector(JNIEnv* env);
    // Appends `element` unless it is null.
    void add(jobject element);
    jobject get() const { return vector_; }

private:
    JNIEnv* env_;
    jobject vector_;
    jmethodID addElement_;
};

// Runs `body` (returning a Java object) and converts failures as the pattern says:
// NativeError (by value) -> RuntimeException with its message; any other exception ->
// RuntimeException "UNKNOWN EXCEPTION"; a Java exception already pending is left as it is.
// The result is then null.
template <class Body>
jobject protectedRegion(JNIEnv* env, Body&& body) noexcept {
    try {
        return body();
    } catch (const JavaExceptionPending&) {
    } catch (NativeError e) {
        ThrowJavaError(env, e.message());
    } catch (...) {
        ThrowJavaError(env, "UNKNOWN EXCEPTION");
    }
    return nullptr;
}

// Runs `body` with caller-chosen handlers: `onNativeError(const NativeError&)` and
// `onOther()` give the result of the failed call. A handler that fails in turn (a JNI call
// leaving an exception pending, or any C++ exception) makes the result null.
template <class Body, class OnNativeError, class OnOther>
jobject protectedRegion(JNIEnv* env, Body&& body, OnNativeError&& onNativeError, OnOther&& onOther) noexcept {
    try {
        try {
            return body();
        } catch (const JavaExceptionPending&) {
            return nullptr;
        } catch (NativeError e) {
            return onNativeError(e);
        } catch (...) {
            return onOther();
        }
    } catch (...) {
        return nullptr;
    }
}
