// The throw helpers of both libraries. Each leaves one Java exception pending and stops quietly
// if any step fails (that failure's own exception is then the pending one).
#pragma once
#include <jni.h>
#include <string>

// Leaves a pending java.lang.RuntimeException carrying `message` (any bytes: it goes through
// the modified-UTF-8 conversion).
void ThrowJavaError(JNIEnv* env, const std::string& message);

namespace jni {

// Leaves a pending java.lang.NullPointerException carrying `message` and raises
// JavaExceptionPending.
[[noreturn]] void throwNullPointer(JNIEnv* env, const std::string& message);

}  // namespace jni
