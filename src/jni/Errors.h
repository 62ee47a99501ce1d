// Raised inside a native when a JNI call has left a Java exception pending: the native stops at
// once, makes no further JNI call and returns, leaving the exception for its Java caller.
#pragma once
#include <jni.h>

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
