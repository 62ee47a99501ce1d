#include "jni/ClassHolder.h"

namespace jni {

jclass findClass(JNIEnv* env, const char* name) { return env->FindClass(name); }

jmethodID findMethod(JNIEnv* env, jclass cls, const char* member, const char* signature) {
    return env->GetMethodID(cls, member, signature);
}

jmethodID findStaticMethod(JNIEnv* env, jclass cls, const char* member, const char* signature) {
    return env->GetStaticMethodID(cls, member, signature);
}

jfieldID findStaticField(JNIEnv* env, jclass cls, const char* member, const char* signature) {
    return env->GetStaticFieldID(cls, member, signature);
}

ClassHolder::ClassHolder(JNIEnv* env, const char* name)
    : env(env), cls(checked(env, findClass(env, name))), name(name) {}

ClassHolder::ClassHolder(JNIEnv* env, jobject object, const char* name)
    : env(env), cls(checked(env, object == nullptr ? nullptr : env->GetObjectClass(object))), name(name) {}

ClassHolder::~ClassHolder() { env->DeleteLocalRef(cls); }

jmethodID ClassHolder::resolveMethod(jmethodID& slot, const char* member, const char* signature) {
    if (slot == nullptr) slot = checked(env, findMethod(env, cls, member, signature));
    return slot;
}

jmethodID ClassHolder::resolveStaticMethod(jmethodID& slot, const char* member, const char* signature) {
    if (slot == nullptr) slot = checked(env, findStaticMethod(env, cls, member, signature));
    return slot;
}

jfieldID ClassHolder::resolveStaticField(jfieldID& slot, const char* member, const char* signature) {
    if (slot == nullptr) slot = checked(env, findStaticField(env, cls, member, signature));
    return slot;
}

jobject ClassHolder::readStaticField(jfieldID field) {
    jobject value = env->GetStaticObjectField(cls, field);
    checkPending(env);
    return value;
}

bool ClassHolder::readStaticBoolean(jfieldID field) {
    jboolean value = env->GetStaticBooleanField(cls, field);
    checkPending(env);
    return value == JNI_TRUE;
}

}  // namespace jni
