#include "jni/Errors.h"

#include "jni/ClassHolder.h"
#include "jni/JavaText.h"
#include "jni/LocalRef.h"

namespace jni {

void ThrowJavaError(JNIEnv* env, const std::string& message) {
    if (env->ExceptionCheck()) return;
    // The local references made here go with the native's frame; the throw is the last call.
    jstring text = newJavaString(env, message);
    if (text == nullptr) return;
    jclass cls = findClass(env, "java/lang/RuntimeException");
    if (cls == nullptr) return;
    jmethodID ctor = findMethod(env, cls, "<init>", "(Ljava/lang/String;)V");
    if (ctor == nullptr) return;
    auto error = static_cast<jthrowable>(env->NewObject(cls, ctor, text));
    if (error == nullptr) return;
    env->Throw(error);
}

void throwNullPointer(JNIEnv* env, const std::string& message) {
    LocalRef<jclass> npe(env, findClass(env, "java/lang/NullPointerException"));
    if (npe) env->ThrowNew(npe.get(), message.c_str());
    throw JavaExceptionPending{};
}

void throwNullObject(JNIEnv* env, const char* className) {
    throwNullPointer(env, std::string("null object of class ") + className);
}

}  // namespace jni
