#include "kelda/common/hba/ClassHolder.h"

#include <string>

namespace kelda {

void throwNullPointer(JNIEnv* env, const char* message) {
    jclass npe = env->FindClass("java/lang/NullPointerException");
    if (npe != nullptr) {
        std::string text = std::string("null object of class ") + message;
        env->ThrowNew(npe, text.c_str());
        env->DeleteLocalRef(npe);
    }
    throw JavaExceptionPending{};
}

ClassHolder::ClassHolder(JNIEnv* env, const char* name)
    : env(env), cls(checked(env, env->FindClass(name))), name(name) {}

ClassHolder::~ClassHolder() { env->DeleteLocalRef(cls); }

jmethodID ClassHolder::resolveMethod(jmethodID& slot, const char* member, const char* signature) {
    if (slot == nullptr) slot = checked(env, env->GetMethodID(cls, member, signature));
    return slot;
}

jmethodID ClassHolder::resolveStaticMethod(jmethodID& slot, const char* member, const char* signature) {
    if (slot == nullptr) slot = checked(env, env->GetStaticMethodID(cls, member, signature));
    return slot;
}

jfieldID ClassHolder::resolveStaticField(jfieldID& slot, const char* member, const char* signature) {
    if (slot == nullptr) slot = checked(env, env->GetStaticFieldID(cls, member, signature));
    return slot;
}

jobject ClassHolder::readStaticField(jfieldID field) {
    jobject value = env->GetStaticObjectField(cls, field);
    checkPending(env);
    return value;
}

LocalFrame::LocalFrame(JNIEnv* env, jint capacity) : env_(env), pushed_(env->PushLocalFrame(capacity) >= 0) {
    if (!pushed_) throw JavaExceptionPending{};
}

LocalFrame::~LocalFrame() {
    if (pushed_) env_->PopLocalFrame(nullptr);
}

jobject LocalFrame::pop(jobject result) {
    pushed_ = false;
    return env_->PopLocalFrame(result);
}

}  // namespace kelda
