#include "kelda/common/hba/InstanceRecipe.h"

#include <cstring>

#include "jni/JavaText.h"
#include "jni/LocalRef.h"

namespace kelda {

InstanceValues::InstanceValues(KdProperty::Static& properties, KdClass kdClass)
    : properties_(properties), values_(kdClass.getDefaultValues()) {}

InstanceValues::InstanceValues(KdProperty::Static& properties, jobjectArray values)
    : properties_(properties), values_(values) {}

void InstanceValues::set(jobject property, jobject value) { KdProperty(properties_, property).set(values_, value); }

void InstanceValues::setText(jobject property, const char* text) {
    JNIEnv* env = properties_.env;
    set(property, jni::checked(env, jni::newJavaString(env, text)));
}

jobject InstanceValues::instance(KdInstance::Static& instances, jobject kdClass) {
    return instances.newObject(instances.meth_init(), kdClass, values_);
}

jobject uint64(UnsignedInt64::Static& cls, long long value) {
    JNIEnv* env = cls.env;
    jbyte bytes[8];
    auto bits = static_cast<unsigned long long>(value);
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<jbyte>((bits >> ((7 - i) * 8)) & 0xFF);
    jni::LocalRef<jbyteArray> array(env, jni::checked(env, env->NewByteArray(8)));
    env->SetByteArrayRegion(array.get(), 0, 8, bytes);
    jni::checkPending(env);
    return cls.newObject(cls.meth_init(), jint{1}, array.get());
}

jobject uint32(UnsignedInt32::Static& cls, uint32_t value) {
    return cls.newObject(cls.meth_init(), static_cast<jlong>(value));
}

jobject uint16(UnsignedInt16::Static& cls, int value) { return cls.newObject(cls.meth_init(), static_cast<jint>(value)); }

}  // namespace kelda

char* terminateString(char* text, int size) {
    if (text == nullptr || size <= 0) return text;
    int i = 0;
    bool terminated = false;
    while (i < size && !terminated) {
        if (text[i] == '\0') {
            terminated = true;
        } else if (static_cast<signed char>(text[i]) < 32) {
            std::memmove(text + i, text + i + 1, static_cast<size_t>(size - i - 1));
            text[size - 1] = '\0';
        } else {
            ++i;
        }
    }
    if (!terminated) text[size - 1] = '\0';
    return text;
}

const char* toString(const HBA_WWN& wwn) {
    static const char digits[] = "0123456789abcdef";
    thread_local char text[17];
    for (int i = 0; i < 8; ++i) {
        text[2 * i] = digits[wwn.wwn[i] >> 4];
        text[2 * i + 1] = digits[wwn.wwn[i] & 0x0F];
    }
    text[16] = '\0';
    return text;
}

bool equal(const HBA_WWN& a, const HBA_WWN& b) {
    for (int i = 0; i < 8; ++i) {
        if (a.wwn[i] != b.wwn[i]) return false;
    }
    return true;
}
