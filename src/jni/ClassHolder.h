// Per-call bindings of the Java classes the HBA and disk natives touch.
//
// A class holder (`X::Static`) owns the class reference of one Java class, looked up when the
// holder is built, and one slot per Java member it uses. A slot starts null and is resolved on
// its first use, so within one call every member is looked up at most once, and a member the
// call never uses is never looked up. Holders live in the per-call worker and die with it:
// nothing is cached between calls.
//
// An object wrapper pairs a holder with one Java object so that Java methods read as C++
// member functions. It owns neither and is copied freely.
//
// Every lookup and call is checked: when the JVM leaves an exception pending (a missing class or
// member, a Java method that threw), JavaExceptionPending is raised, so the native stops at once
// without another JNI call and the exception reaches its Java caller. Calling a Java method on a
// null object raises java.lang.NullPointerException the same way instead of crashing the JVM.
//
// Declaring a Java class is one declaration. A class whose objects the natives call:
//
//     class KdClass : public JavaObject {
//     public:
//         JAVA_CLASS("com/vantor/kelda/KdClass",
//             JAVA_METHOD(getName, "()Ljava/lang/String;")
//             JAVA_METHOD(getNamespace, "()Lcom/vantor/kelda/KdNamespace;"))
//         JAVA_WRAPPER(KdClass)
//         jstring getName() { return callObject<jstring>(holder().meth_getName()); }
//     };
//
// A class used only through its holder (constructors, static fields, array element class):
//
//     JAVA_HOLDER(HbaPortProvider, "com/vantor/kelda/providers/hba/HbaPortProvider",
//         JAVA_PROPERTY(portWWN)
//         JAVA_STATIC_FIELD(PORTTYPE_NPORT, "Ljavax/wbem/cim/UnsignedInt16;"))
//
// Members, each giving the accessors named below:
//     JAVA_METHOD(name, sig)          jmethodID meth_name()          instance method
//     JAVA_STATIC_METHOD(name, sig)   jmethodID meth_name()          static method
//     JAVA_CONSTRUCTOR(sig)           jmethodID meth_init()          "<init>"
//     JAVA_STATIC_FIELD(name, sig)    jfieldID field_name(), jobject get_name()  (the value,
//                                     read afresh at every call; only the ID is kept)
//     JAVA_STATIC_BOOLEAN(name)       jfieldID field_name(), bool is_name()  (a static boolean
//                                     field, read afresh at every call)
//     JAVA_PROPERTY(name)             a static KdProperty field, as JAVA_STATIC_FIELD
// A class known only by its objects (a scan job's) is declared inside a struct with
//     JAVA_CLASS_OF_OBJECT("description", members...)
// and its holder built from one object: `Name::Static holder(env, object)`.
// Custom members (a static call, say) may follow the declarations inside JAVA_CLASS; they reach
// `env` and `cls` and the helpers callStaticObject/newObject of the holder.
#pragma once
#include <jni.h>

#include "jni/Errors.h"
#include "jni/LocalRef.h"

namespace jni {

// The plain lookups under the holders: null, with the JVM's exception (NoClassDefFoundError,
// NoSuchMethodError, ...) pending, when it is missing. Only the toolkit's throw helpers, which
// must fail quietly and make the throw their last call, use them directly.
jclass findClass(JNIEnv* env, const char* name);
jmethodID findMethod(JNIEnv* env, jclass cls, const char* member, const char* signature);
jmethodID findStaticMethod(JNIEnv* env, jclass cls, const char* member, const char* signature);
jfieldID findStaticField(JNIEnv* env, jclass cls, const char* member, const char* signature);

class ClassHolder {
public:
    // Looks the class up by its slash-separated name; raises JavaExceptionPending when it is
    // missing (NoClassDefFoundError is then pending).
    ClassHolder(JNIEnv* env, const char* name);
    // The class of `object` (described by `name` in messages); raises JavaExceptionPending
    // when there is none.
    ClassHolder(JNIEnv* env, jobject object, const char* name);
    ~ClassHolder();
    ClassHolder(const ClassHolder&) = delete;
    ClassHolder& operator=(const ClassHolder&) = delete;

    JNIEnv* const env;
    const jclass cls;
    const char* const name;  // for messages

    // A new object of this class through constructor `ctor`; raises JavaExceptionPending when
    // construction failed.
    template <class... Args>
    jobject newObject(jmethodID ctor, Args... args) {
        return checked(env, env->NewObject(cls, ctor, args...));
    }

    // The result of static method `method` (may be null).
    template <class R = jobject, class... Args>
    R callStaticObject(jmethodID method, Args... args) {
        jobject result = env->CallStaticObjectMethod(cls, method, args...);
        checkPending(env);
        return static_cast<R>(result);
    }

protected:
    jmethodID resolveMethod(jmethodID& slot, const char* member, const char* signature);
    jmethodID resolveStaticMethod(jmethodID& slot, const char* member, const char* signature);
    jfieldID resolveStaticField(jfieldID& slot, const char* member, const char* signature);
    jobject readStaticField(jfieldID field);
    bool readStaticBoolean(jfieldID field);
};

// A Java object seen through the holder of its class.
class JavaObject {
public:
    JavaObject(ClassHolder& holder, jobject object) : holder_(&holder), object_(object) {}
    jobject object() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

protected:
    JNIEnv* receiver() const {
        if (object_ == nullptr) throwNullObject(holder_->env, holder_->name);
        return holder_->env;
    }
    template <class R = jobject, class... Args>
    R callObject(jmethodID method, Args... args) {
        JNIEnv* env = receiver();
        jobject result = env->CallObjectMethod(object_, method, args...);
        checkPending(env);
        return static_cast<R>(result);
    }
    template <class... Args>
    bool callBoolean(jmethodID method, Args... args) {
        JNIEnv* env = receiver();
        jboolean result = env->CallBooleanMethod(object_, method, args...);
        checkPending(env);
        return result != JNI_FALSE;
    }
    template <class... Args>
    void callVoid(jmethodID method, Args... args) {
        JNIEnv* env = receiver();
        env->CallVoidMethod(object_, method, args...);
        checkPending(env);
    }

    ClassHolder* holder_;
    jobject object_;
};

}  // namespace jni

#define JAVA_CLASS(javaName, ...)                                                        \
    class Static : public ::jni::ClassHolder {                                         \
    public:                                                                              \
        explicit Static(JNIEnv* env) : ::jni::ClassHolder(env, javaName) {}            \
        __VA_ARGS__                                                                      \
    };

// A class known by its objects (a Java caller's own class): built from one of them.
#define JAVA_CLASS_OF_OBJECT(description, ...)                                           \
    class Static : public ::jni::ClassHolder {                                         \
    public:                                                                              \
        Static(JNIEnv* env, jobject object) : ::jni::ClassHolder(env, object, description) {} \
        __VA_ARGS__                                                                      \
    };

#define JAVA_HOLDER(Name, javaName, ...) \
    struct Name {                        \
        JAVA_CLASS(javaName, __VA_ARGS__) \
    };

#define JAVA_WRAPPER(Name)                                                               \
    Name(Static& holder, jobject object) : ::jni::JavaObject(holder, object) {}        \
    Static& holder() const { return static_cast<Static&>(*holder_); }

#define JAVA_METHOD(member, signature)                                                   \
private:                                                                                 \
    jmethodID meth_slot_##member = nullptr;                                              \
                                                                                         \
public:                                                                                  \
    jmethodID meth_##member() { return resolveMethod(meth_slot_##member, #member, signature); }

#define JAVA_STATIC_METHOD(member, signature)                                            \
private:                                                                                 \
    jmethodID meth_slot_##member = nullptr;                                              \
                                                                                         \
public:                                                                                  \
    jmethodID meth_##member() { return resolveStaticMethod(meth_slot_##member, #member, signature); }

#define JAVA_CONSTRUCTOR(signature)                                                      \
private:                                                                                 \
    jmethodID meth_slot_init = nullptr;                                                  \
                                                                                         \
public:                                                                                  \
    jmethodID meth_init() { return resolveMethod(meth_slot_init, "<init>", signature); }

#define JAVA_STATIC_FIELD(member, signature)                                             \
private:                                                                                 \
    jfieldID field_slot_##member = nullptr;                                              \
                                                                                         \
public:                                                                                  \
    jfieldID field_##member() { return resolveStaticField(field_slot_##member, #member, signature); } \
    jobject get_##member() { return readStaticField(field_##member()); }

#define JAVA_STATIC_BOOLEAN(member)                                                      \
private:                                                                                 \
    jfieldID field_slot_##member = nullptr;                                              \
                                                                                         \
public:                                                                                  \
    jfieldID field_##member() { return resolveStaticField(field_slot_##member, #member, "Z"); } \
    bool is_##member() { return readStaticBoolean(field_##member()); }

#define JAVA_PROPERTY(member) JAVA_STATIC_FIELD(member, "Lcom/vantor/kelda/KdProperty;")
