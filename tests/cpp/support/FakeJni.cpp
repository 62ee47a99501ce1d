#include "FakeJni.h"

#include <stdexcept>

namespace testsupport {
namespace {

FakeJni* active = nullptr;

jclass JNICALL findClass(JNIEnv*, const char* name) {
    FakeJni& f = FakeJni::current();
    f.enter(std::string("FindClass ") + name);
    if (f.missing.count(name)) {
        f.pending = true;
        return nullptr;
    }
    return f.classHandle(name);
}

template <class Id>
Id lookup(const char* kind, jclass cls, const char* name, const char* sig) {
    FakeJni& f = FakeJni::current();
    std::string owner = f.classOf(cls);
    f.enter(std::string(kind) + " " + owner + "." + name + " " + sig);
    if (f.missing.count(owner + "." + name)) {
        f.pending = true;
        return nullptr;
    }
    return static_cast<Id>(f.memberHandle(owner, name, sig));
}

jmethodID JNICALL getMethodID(JNIEnv*, jclass c, const char* n, const char* s) { return lookup<jmethodID>("GetMethodID", c, n, s); }
jmethodID JNICALL getStaticMethodID(JNIEnv*, jclass c, const char* n, const char* s) { return lookup<jmethodID>("GetStaticMethodID", c, n, s); }
jfieldID JNICALL getStaticFieldID(JNIEnv*, jclass c, const char* n, const char* s) { return lookup<jfieldID>("GetStaticFieldID", c, n, s); }

jobject JNICALL getStaticObjectField(JNIEnv*, jclass, jfieldID field) {
    FakeJni& f = FakeJni::current();
    const auto& m = f.member(field);
    f.enter("GetStaticObjectField " + m.owner + "." + m.name);
    auto it = f.staticFields.find(m.owner + "." + m.name);
    return it == f.staticFields.end() ? nullptr : it->second;
}

jboolean JNICALL getStaticBooleanField(JNIEnv*, jclass, jfieldID field) {
    FakeJni& f = FakeJni::current();
    const auto& m = f.member(field);
    f.enter("GetStaticBooleanField " + m.owner + "." + m.name);
    auto it = f.falseReads.find(m.owner + "." + m.name);
    if (it == f.falseReads.end()) return JNI_FALSE;
    if (it->second == 0) return JNI_TRUE;
    --it->second;
    return JNI_FALSE;
}

jclass JNICALL getObjectClass(JNIEnv*, jobject object) {
    FakeJni& f = FakeJni::current();
    std::string name = f.classOf(object);
    f.enter("GetObjectClass " + name);
    return f.classHandle(name);
}

jobject call(const char* kind, jmethodID method) {
    FakeJni& f = FakeJni::current();
    const auto& m = f.member(method);
    std::string key = m.owner + "." + m.name;
    f.enter(std::string(kind) + " " + key);
    if (f.throwingMethods.count(key)) {
        f.pending = true;
        return nullptr;
    }
    auto it = f.results.find(key);
    return it == f.results.end() ? nullptr : it->second;
}

jobject JNICALL callObjectMethodV(JNIEnv*, jobject, jmethodID m, va_list) { return call("CallObjectMethod", m); }
void JNICALL callVoidMethodV(JNIEnv*, jobject, jmethodID m, va_list) { call("CallVoidMethod", m); }
jboolean JNICALL callBooleanMethodV(JNIEnv*, jobject, jmethodID m, va_list) {
    return call("CallBooleanMethod", m) != nullptr ? JNI_TRUE : JNI_FALSE;
}
jobject JNICALL callStaticObjectMethodV(JNIEnv*, jclass, jmethodID m, va_list) { return call("CallStaticObjectMethod", m); }

jobject JNICALL newObjectV(JNIEnv*, jclass, jmethodID ctor, va_list args) {
    FakeJni& f = FakeJni::current();
    const auto& m = f.member(ctor);
    f.enter("NewObject " + m.owner);
    FakeJni::Construction c;
    c.className = m.owner;
    c.signature = m.signature;
    // Reads the arguments as the signature declares them (object, int or long arguments).
    for (size_t i = 1; i < m.signature.size() && m.signature[i] != ')'; ++i) {
        char t = m.signature[i];
        if (t == 'I' || t == 'S' || t == 'Z' || t == 'B' || t == 'C') {
            c.intArg = va_arg(args, jint);
        } else if (t == 'J') {
            c.longArg = va_arg(args, jlong);
        } else {
            c.objects.push_back(va_arg(args, jobject));
            while (m.signature[i] == '[') ++i;
            if (m.signature[i] == 'L') i = m.signature.find(';', i);
        }
    }
    f.constructions.push_back(c);
    if (f.throwingMethods.count(m.owner + ".<init>")) {
        f.pending = true;
        return nullptr;
    }
    return f.newObject(m.owner);
}

jbyteArray JNICALL newByteArray(JNIEnv*, jsize length) {
    FakeJni& f = FakeJni::current();
    f.enter("NewByteArray " + std::to_string(length));
    auto array = static_cast<jbyteArray>(f.newObject("[B"));
    f.byteArrays[array].assign(static_cast<size_t>(length), 0);
    return array;
}

void JNICALL setByteArrayRegion(JNIEnv*, jbyteArray array, jsize start, jsize length, const jbyte* bytes) {
    FakeJni& f = FakeJni::current();
    f.enter("SetByteArrayRegion");
    auto& target = f.byteArrays.at(array);
    if (start < 0 || length < 0 || static_cast<size_t>(start + length) > target.size()) {
        f.pending = true;  // ArrayIndexOutOfBoundsException
        return;
    }
    for (jsize i = 0; i < length; ++i) target[static_cast<size_t>(start + i)] = bytes[i];
}

jstring JNICALL newStringUTF(JNIEnv*, const char* text) {
    FakeJni& f = FakeJni::current();
    f.enter("NewStringUTF");
    f.strings.emplace_back(text);
    return static_cast<jstring>(f.newObject("java/lang/String"));
}

jint JNICALL throwNew(JNIEnv*, jclass cls, const char* message) {
    FakeJni& f = FakeJni::current();
    f.enter("ThrowNew " + f.classOf(cls) + " " + message);
    f.pending = true;
    return 0;
}

jint JNICALL throwObject(JNIEnv*, jthrowable error) {
    FakeJni& f = FakeJni::current();
    f.enter("Throw " + f.classOf(error));
    f.pending = true;
    return 0;
}

const char* JNICALL getStringUTFChars(JNIEnv*, jstring string, jboolean*) {
    FakeJni& f = FakeJni::current();
    f.enter("GetStringUTFChars");
    auto chars = f.utfChars.find(string);
    return chars == f.utfChars.end() ? "borrowed" : chars->second.c_str();
}

void JNICALL releaseStringUTFChars(JNIEnv*, jstring, const char*) {
    FakeJni::current().enter("ReleaseStringUTFChars", true);
}

jboolean JNICALL exceptionCheck(JNIEnv*) {
    FakeJni& f = FakeJni::current();
    return f.pending ? JNI_TRUE : JNI_FALSE;
}

void JNICALL exceptionDescribe(JNIEnv*) {  // prints the exception and clears it
    FakeJni& f = FakeJni::current();
    f.enter("ExceptionDescribe", true);
    f.pending = false;
}

void JNICALL deleteLocalRef(JNIEnv*, jobject object) {
    FakeJni& f = FakeJni::current();
    f.enter("DeleteLocalRef", true);
    f.deleted.insert(object);
}

jint JNICALL pushLocalFrame(JNIEnv*, jint capacity) {
    FakeJni& f = FakeJni::current();
    f.enter("PushLocalFrame " + std::to_string(capacity), true);
    if (f.missing.count("PushLocalFrame")) {
        f.pending = true;
        return -1;
    }
    ++f.liveFrames;
    return 0;
}

jobject JNICALL popLocalFrame(JNIEnv*, jobject result) {
    FakeJni& f = FakeJni::current();
    f.enter(result == nullptr ? "PopLocalFrame null" : "PopLocalFrame result", true);
    --f.liveFrames;
    return result;
}

}  // namespace

FakeJni::FakeJni() {
    if (active != nullptr) throw std::logic_error("one FakeJni at a time");
    active = this;
    table_.FindClass = findClass;
    table_.GetMethodID = getMethodID;
    table_.GetStaticMethodID = getStaticMethodID;
    table_.GetStaticFieldID = getStaticFieldID;
    table_.GetStaticObjectField = getStaticObjectField;
    table_.GetStaticBooleanField = getStaticBooleanField;
    table_.GetObjectClass = getObjectClass;
    table_.CallObjectMethodV = callObjectMethodV;
    table_.CallVoidMethodV = callVoidMethodV;
    table_.CallBooleanMethodV = callBooleanMethodV;
    table_.CallStaticObjectMethodV = callStaticObjectMethodV;
    table_.NewObjectV = newObjectV;
    table_.NewByteArray = newByteArray;
    table_.SetByteArrayRegion = setByteArrayRegion;
    table_.NewStringUTF = newStringUTF;
    table_.ThrowNew = throwNew;
    table_.Throw = throwObject;
    table_.GetStringUTFChars = getStringUTFChars;
    table_.ReleaseStringUTFChars = releaseStringUTFChars;
    table_.ExceptionCheck = exceptionCheck;
    table_.ExceptionDescribe = exceptionDescribe;
    table_.DeleteLocalRef = deleteLocalRef;
    table_.PushLocalFrame = pushLocalFrame;
    table_.PopLocalFrame = popLocalFrame;
    env_.functions = &table_;
}

FakeJni::~FakeJni() { active = nullptr; }

FakeJni& FakeJni::current() { return *active; }

void FakeJni::enter(const std::string& call, bool permittedWhilePending) {
    if (pending && !permittedWhilePending) ++callsWithPending;
    calls.push_back(call);
}

jobject FakeJni::newObject(const std::string& className) {
    objects_.push_back(std::make_unique<_jobject>());
    jobject object = objects_.back().get();
    objectClass_[object] = className;
    return object;
}

std::string FakeJni::classOf(jobject object) {
    for (const auto& entry : classes_) {
        if (entry.second.get() == object) return entry.first;
    }
    auto it = objectClass_.find(object);
    return it == objectClass_.end() ? "?" : it->second;
}

jclass FakeJni::classHandle(const std::string& name) {
    auto& slot = classes_[name];
    if (!slot) slot = std::make_unique<_jclass>();
    return slot.get();
}

void* FakeJni::memberHandle(const std::string& owner, const std::string& name, const std::string& signature) {
    members_.push_back({owner, name, signature});
    return reinterpret_cast<void*>(static_cast<uintptr_t>(members_.size()));
}

int FakeJni::count(const std::string& prefix) const {
    int n = 0;
    for (const auto& c : calls) {
        if (c.compare(0, prefix.size(), prefix) == 0) ++n;
    }
    return n;
}

}  // namespace testsupport
