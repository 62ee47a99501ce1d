#include "jni/Export.h"

#include "jni/LocalRef.h"

namespace jni {

JavaVector::JavaVector(JNIEnv* env) : class_(env), vector_(class_.newObject(class_.meth_init())) {
    class_.meth_addElement();
}

void JavaVector::add(jobject element) {
    if (element == nullptr) return;
    jni::LocalRef<jobject> added(class_.env, element);
    class_.env->CallVoidMethod(vector_, class_.meth_addElement(), added.get());
    checkPending(class_.env);
}

}  // namespace jni
