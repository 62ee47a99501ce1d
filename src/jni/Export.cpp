#include "jni/Export.h"

bool GetClassAndMethod(JNIEnv* env, const DataClass& dataClass, jclass& cls, jmethodID& ctor) {
    cls = env->FindClass(dataClass.name);
    if (cls == nullptr) return false;
    ctor = env->GetMethodID(cls, "<init>", dataClass.signature);
    return ctor != nullptr;
}

JavaVector::JavaVector(JNIEnv* env) : env_(env) {
    jclass cls = checked(env, env->FindClass("java/util/Vector"));
    jmethodID ctor = checked(env, env->GetMethodID(cls, "<init>", "()V"));
    vector_ = checked(env, env->NewObject(cls, ctor));
    addElement_ = checked(env, env->GetMethodID(cls, "addElement", "(Ljava/lang/Object;)V"));
    env->DeleteLocalRef(cls);
}

void JavaVector::add(jobject element) {
    if (element == nullptr) return;
    env_->CallVoidMethod(vector_, addElement_, element);
    checkPending(env_);
    env_->DeleteLocalRef(element);
}
