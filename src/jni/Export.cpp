#include "jni/Export.h"

#include "jni/ClassHolder.h"
#include "jni/LocalRef.h"

JavaVector::JavaVector(JNIEnv* env) : env_(env) {
    jni::LocalRef<jclass> cls(env, checked(env, jni::findClass(env, "java/util/Vector")));
    jmethodID ctor = checked(env, jni::findMethod(env, cls.get(), "<init>", "()V"));
    vector_ = checked(env, env->NewObject(cls.get(), ctor));
    addElement_ = checked(env, jni::findMethod(env, cls.get(), "addElement", "(Ljava/lang/Object;)V"));
}

void JavaVector::add(jobject element) {
    if (element == nullptr) return;
    env_->CallVoidMethod(vector_, addElement_, element);
    checkPending(env_);
    env_->DeleteLocalRef(element);
}
