// A JNI environment without a JVM, for testing the native side of Java bindings: it answers
// class and member lookups, records every call in order, and can be told that a class or a
// member is missing (the lookup then fails with an exception pending, as in a real JVM).
#pragma once
#include <jni.h>

#include <cstdarg>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

class FakeJni {
public:
    FakeJni();
    ~FakeJni();
    JNIEnv* env() { return &env_; }

    std::set<std::string> missing;   // "pkg/Class" or "pkg/Class.member" lookups that fail
    std::vector<std::string> calls;  // "FindClass pkg/Class", "GetMethodID pkg/Class.name sig", ...
    bool pending = false;            // a Java exception is pending
    int callsWithPending = 0;        // JNI calls (other than the permitted ones) made while pending
    int liveFrames = 0;

    // What NewObject received: the constructor's class and the arguments it read.
    struct Construction {
        std::string className;
        std::string signature;
        jint intArg = 0;
        jlong longArg = 0;
        std::vector<jobject> objects;
    };
    std::vector<Construction> constructions;
    std::map<jobject, std::vector<jbyte>> byteArrays;
    std::set<jobject> deleted;
    std::vector<std::string> strings;  // NewStringUTF texts
    std::map<jobject, std::string> utfChars;  // what GetStringUTFChars gives; "borrowed" if absent

    // An object of a class (a distinct handle), or a Java method that throws when called.
    jobject newObject(const std::string& className);
    std::set<std::string> throwingMethods;  // "pkg/Class.member"
    std::map<std::string, jobject> staticFields;  // "pkg/Class.member" -> value
    std::map<std::string, jobject> results;       // "pkg/Class.member" -> result of the call
    // "pkg/Class.member" -> reads of a static boolean field answered false before it reads
    // true (a field not listed is always false).
    std::map<std::string, long> falseReads;

    int count(const std::string& prefix) const;

    static FakeJni& current();

    // Internal: the handle tables.
    struct Member {
        std::string owner, name, signature;
    };
    std::string classOf(jobject object);
    jclass classHandle(const std::string& name);
    void* memberHandle(const std::string& owner, const std::string& name, const std::string& signature);
    const Member& member(const void* handle) const { return members_.at(reinterpret_cast<uintptr_t>(handle) - 1); }
    void enter(const std::string& call, bool permittedWhilePending = false);

private:
    JNINativeInterface_ table_{};
    JNIEnv env_{};
    std::map<std::string, std::unique_ptr<_jclass>> classes_;
    std::vector<std::unique_ptr<_jobject>> objects_;
    std::map<jobject, std::string> objectClass_;
    std::vector<Member> members_;
};

}  // namespace testsupport
