// How a native fails towards Java, for both libraries: the C++ marker of a pending Java
// exception, and one throw helper per kind of Java exception the natives raise.
//
// JavaExceptionPending is raised inside a native when a JNI call has left a Java exception
// pending: the native stops at once, makes no further JNI call and returns, leaving the
// exception for its Java caller. Each throw helper leaves one Java exception pending and stops
// quietly if any step of it fails (that failure's own exception is then the pending one).
#pragma once
#include <jni.h>

#include <string>

namespace jni {

struct JavaExceptionPending {};

// Returns `value`, or raises JavaExceptionPending when the JNI call that produced it failed.
template <class T>
T checked(JNIEnv* env, T value) {
    if (value == nullptr || env->ExceptionCheck()) throw JavaExceptionPending{};
    return value;
}

// Raises JavaExceptionPending when the last JNI call left an exception pending.
inline void checkPending(JNIEnv* env) {
    if (env->ExceptionCheck()) throw JavaExceptionPending{};
}

// Leaves a pending java.lang.RuntimeException carrying `message` (any bytes: it goes through
// the modified-UTF-8 conversion); nothing when an exception is pending already.
void ThrowJavaError(JNIEnv* env, const std::string& message);

// Leaves a pending java.lang.NullPointerException carrying `message` and raises
// JavaExceptionPending.
[[noreturn]] void throwNullPointer(JNIEnv* env, const std::string& message);

// Raises java.lang.NullPointerException "null object of class <className>" and
// JavaExceptionPending.
[[noreturn]] void throwNullObject(JNIEnv* env, const char* className);

}  // namespace jni
