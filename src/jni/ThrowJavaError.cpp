#include "jni/ThrowJavaError.h"

#include "jni/JavaText.h"

void ThrowJavaError(JNIEnv* env, const std::string& message) {
    if (env->ExceptionCheck()) return;
    jstring text = newJavaString(env, message);
    if (text == nullptr) return;
    jclass cls = env->FindClass("java/lang/RuntimeException");
    if (cls == nullptr) return;
    jmethodID ctor = env->GetMethodID(cls, "<init>", "(Ljava/lang/String;)V");
    if (ctor == nullptr) return;
    auto error = static_cast<jthrowable>(env->NewObject(cls, ctor, text));
    if (error == nullptr) return;
    env->Throw(error);
}
