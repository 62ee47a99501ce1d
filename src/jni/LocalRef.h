// The two scoped forms of JNI local references: LocalRef for one reference, LocalFrame for the
// references made while one object is built. Both give their references back when the scope
// ends, so loops over many elements stay within the local-reference capacity and no early
// return leaks.
#pragma once
#include <jni.h>

#include <utility>

#include "jni/Errors.h"

namespace jni {

template <class T = jobject>
class LocalRef {
public:
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    LocalRef(LocalRef&& other) noexcept : env_(other.env_), ref_(std::exchange(other.ref_, nullptr)) {}
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;
    LocalRef& operator=(LocalRef&&) = delete;
    ~LocalRef() {
        if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
    }

    T get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Gives the reference up to the caller (to return it to Java, say).
    T release() { return std::exchange(ref_, nullptr); }
    // Deletes the reference held and holds `ref` in its place.
    void reset(T ref = nullptr) {
        if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
        ref_ = ref;
    }

private:
    JNIEnv* env_;
    T ref_;
};

// A JNI local frame for the references made while one object is built. A refused frame raises
// JavaExceptionPending (OutOfMemoryError is then pending). Leaving the scope without pop()
// drops every reference made in the frame.
class LocalFrame {
public:
    LocalFrame(JNIEnv* env, jint capacity) : env_(env), pushed_(env->PushLocalFrame(capacity) >= 0) {
        if (!pushed_) throw JavaExceptionPending{};
    }
    ~LocalFrame() {
        if (pushed_) env_->PopLocalFrame(nullptr);
    }
    LocalFrame(const LocalFrame&) = delete;
    LocalFrame& operator=(const LocalFrame&) = delete;
    // Pops the frame; `result` survives as a reference of the enclosing frame.
    jobject pop(jobject result) {
        pushed_ = false;
        return env_->PopLocalFrame(result);
    }

private:
    JNIEnv* env_;
    bool pushed_;
};

}  // namespace jni
