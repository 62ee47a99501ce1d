#pragma once
#include <jni.h>
#include <string>

// Leaves a pending java.lang.RuntimeException carrying `message`. Stops quietly if any step
// fails (that failure's own exception is then the pending one).
void ThrowJavaError(JNIEnv* env, const std::string& message);
